#include "driver.h"

#include <iostream>

int main(int argc, char* argv[]) {
    return runProgram(argc, argv, std::cin, std::cerr);
}
