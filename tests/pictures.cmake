# The picture set of res/: the loader and every bitmap the program asks for.
voyanta_test(tst_pictures voyanta_res)
