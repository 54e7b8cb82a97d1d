// parser
