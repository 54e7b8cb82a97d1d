// working_folder
