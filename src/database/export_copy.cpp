// export_copy
