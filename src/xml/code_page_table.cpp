// code_page_table
