Imports System

' An order of the web shop
Public Class Order
    Private qty As Integer

    Public Sub Save()
        ' write the order
        Console.WriteLine("saved " & qty)
    End Sub

    Public Function Total(price As Integer) As Integer
        Return qty * price
    End Function
End Class

Module Startup
    Sub Main()
        Dim o As New Order()
        o.Save()
    End Sub
End Module
