// The other programs of the user's session: whether one runs, and starting one.
#pragma once

#include <string>

namespace calmora {

class Programs {
 public:
  virtual ~Programs() = default;
  // Whether a process of this session runs the executable at the full path `path`, the paths
  // compared as the file system compares names, ignoring case. Failures are RuntimeErrors.
  virtual bool RunsInThisSession(const std::wstring& path) const = 0;
  // Starts the executable at the full path `path`, with no arguments, in `workingFolder`, and
  // lets it run without waiting for it. False when it could not be started.
  virtual bool Start(const std::wstring& path, const std::wstring& workingFolder) = 0;
};

}  // namespace calmora
