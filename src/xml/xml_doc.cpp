// xml_doc
