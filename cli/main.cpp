#include <iostream>

#include "Commands.h"

int main(int argc, char** argv) { return fonderel::RunCli(argc, argv, std::cout, std::cerr); }
