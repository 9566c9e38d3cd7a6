#include "key_finder.h"

#include <iostream>

int main() {
    return runKeyFinder(std::cout, std::cin, std::cerr);
}
