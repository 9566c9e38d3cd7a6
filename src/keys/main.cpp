#include "key_finder.h"

#include <iostream>

int main(int argc, char* argv[]) {
    return runKeyFinder(argc, argv, std::cout, std::cin, std::cerr);
}
