Attribute VB_Name = "Stock"
' Stock helpers for the VB front end
Public Function StockLevel(ByVal itemId As Long) As Long
    StockLevel = 10
End Function

Private Sub Form_Load()
    Debug.Print StockLevel(1)  ' show the stock level
End Sub
