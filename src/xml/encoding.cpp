// encoding
