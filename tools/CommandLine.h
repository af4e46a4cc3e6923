// The command's parser and dispatcher: global options, the verb groups, exit
// statuses (2 for a usage error, the verb's own otherwise). Everything the
// command prints passes through the context's output.
#pragma once

namespace tools {

class CommandLine {
 public:
  static int Run(int argc, char** argv);
};

}  // namespace tools
