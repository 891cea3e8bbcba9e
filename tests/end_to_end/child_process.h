// Starting the program under test as a child process, the way a user's
// shell would, with its standard output captured in a file.
#pragma once

#include <map>
#include <string>
#include <vector>

// Where the child's standard output goes.
enum class OutputSink {
    File,        // the capture file
    Closed,      // descriptor 1 closed
    FullDevice,  // /dev/full: every write fails with ENOSPC
    BrokenPipe,  // a pipe whose reading end is already closed
    // A non-blocking pipe that is full when the child starts; the reader
    // empties it only after a while. What comes after the filling goes to
    // the capture file.
    FullNonBlockingPipe,
};

struct ChildProcess {
    std::vector<std::string> Command;                // program and arguments
    std::map<std::string, std::string> Environment;  // set on top of the test's own
    std::vector<std::string> Unset;                  // removed from the environment
    std::string WorkingDirectory;
    std::string OutputPath;
    OutputSink Output = OutputSink::File;
};

// Runs the child to its end. The exit status, or 128 plus the signal that
// ended it.
int RunChildProcess(const ChildProcess& Child);

std::string ReadWholeFile(const std::string& Path);
void WriteWholeFile(const std::string& Path, const std::string& Bytes);

// A new empty folder for one test's files.
std::string MakeScratchFolder();
