#TEMPLATE(Inventory,'Inventory templates'),FAMILY('Veldar')
#PROCEDURE(BrowseStock,'Browse the stock queue'),WINDOW
#AT(%WindowManagerMethodCodeSection,'Init'),PRIORITY(5000)
  ! set up the stock browse
#ENDAT
#EXTENSION(SaveButton,'Adds a save button'),PROCEDURE
#DISPLAY('Stock browse save button')
#CODE (SetStockFilter,'Filter the stock browse')
  SET(StockQ)
