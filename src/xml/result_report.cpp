// result_report
