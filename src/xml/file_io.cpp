// file_io
