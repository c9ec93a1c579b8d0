#include "app/ProgramBody.h"

int main(int argc, char** argv) { return quorvel::ProgramBody(argc, argv); }
