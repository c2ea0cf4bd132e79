<%
' Order page helpers
Public Function OrderTotal(qty, price)
  OrderTotal = qty * price
End Function

Private Sub ShowOrder(id)
  Response.Write "Order " & id & " - it's ready"
End Sub
%>
