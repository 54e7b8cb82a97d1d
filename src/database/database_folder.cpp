// database_folder
