x = nthroot(-16, 4)
