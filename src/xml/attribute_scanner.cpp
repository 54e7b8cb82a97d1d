// attribute_scanner
