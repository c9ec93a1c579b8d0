#pragma once

namespace quorvel {

// The program's entry: configuration, windows, message loop. Returns the exit code.
int ProgramBody(int argc, char** argv);

}  // namespace quorvel
