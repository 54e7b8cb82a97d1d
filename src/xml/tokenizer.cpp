// tokenizer
