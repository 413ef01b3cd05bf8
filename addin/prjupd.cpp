#include "addin/prjupd.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <iostream>
#include <memory>

#include "addin/textfile.h"
#include "platform/textcase.h"

namespace prjupd {
namespace {

const char kVersionMarker[] = "Format Version 5";

bool begins_ignoring_case(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && platform::same_ignoring_case(text.substr(0, prefix.size()), prefix);
}

// One rewrite of the project file: lines come from the project file and go to the
// temporary file; the version marker is noted on every line read.
class rewrite {
 public:
  explicit rewrite(const std::string& project)
      : project_(project), temp_(project + ".tmp"), in_(project) {
    if (!in_.is_open()) throw update_failure("could not read " + project_);
    out_ = std::make_unique<crlf_writer>(temp_);
    if (!out_->is_open()) throw update_failure("could not create the temporary file " + temp_);
  }

  bool read(std::string& line) {
    if (!in_.next(line)) return false;
    if (line.find(kVersionMarker) != std::string::npos) marker_ = true;
    return true;
  }
  void write(const std::string& line) { out_->write(line); }

  // Closes both files; when the marker was seen, the temporary file takes the project
  // file's place in one rename. Returns whether the marker was seen.
  int finish() {
    if (!out_->close()) throw update_failure("could not write " + temp_);
    if (!marker_) return 0;
    struct stat st;
    if (::stat(project_.c_str(), &st) == 0) ::chmod(temp_.c_str(), st.st_mode & 07777);
    if (std::rename(temp_.c_str(), project_.c_str()) != 0)
      throw update_failure("could not replace " + project_ + " by " + temp_);
    return 1;
  }

 private:
  std::string project_, temp_;
  line_reader in_;
  std::unique_ptr<crlf_writer> out_;
  bool marker_ = false;
};

void write_entry(rewrite& rw, const std::string& source, const std::vector<std::string>& build) {
  rw.write("# Begin Source File");
  rw.write("SOURCE=" + source);
  if (!build.empty()) {
    rw.write("# Begin Custom Build");
    for (const std::string& l : build) rw.write(l);
    rw.write("# End Custom Build");
  }
  rw.write("# End Source File");
}

// Whether an entry of the group with source line `s` gives way to the new `source`:
// the same file, or another "g_" file when the new one is a "g_" file.
bool entry_replaced(const std::string& s, const std::string& source) {
  return platform::same_ignoring_case(s, "SOURCE=" + source) ||
         (begins_ignoring_case(source, "g_") && begins_ignoring_case(s, "SOURCE=g_"));
}

void print_progress(const progress_sink& progress, const std::string& line) {
  if (progress) {
    progress(line);
  } else {
    std::cout << line << std::endl;
  }
}

}  // namespace

void ForceExtension(std::string& path, const std::string& ext) {
  // Only the file name is searched, so a directory with a dot in its name stays whole.
  const std::size_t name = path.find_last_of("/\\");
  const std::size_t dot = path.find('.', name == std::string::npos ? 0 : name + 1);
  if (dot != std::string::npos) path.erase(dot);
  path += "." + ext;
}

int HasExtension(const std::string& name, const std::string& ext) {
  const std::string dotted = "." + ext;
  const std::size_t at = name.find(dotted);
  return (at != std::string::npos && at + dotted.size() == name.size()) ? 0 : 1;
}

int CopyTextFile(const std::string& from, const std::string& to) {
  line_reader in(from);
  if (!in.is_open()) throw update_failure("could not read " + from);
  crlf_writer out(to);
  if (!out.is_open()) throw update_failure("could not write " + to);
  for (std::string line; in.next(line);) out.write(line);
  if (!out.close()) throw update_failure("could not write " + to);
  return 0;
}

int InsertSourceIntoGroup(const std::string& source, const std::string& project,
                          const std::string& header, const std::vector<std::string>& build) {
  enum class state { copying, in_target, in_group, skipping, after_group, done };
  rewrite rw(project);
  state st = state::copying;
  std::string line;
  while (st != state::done && rw.read(line)) {
    switch (st) {
      case state::copying:
        rw.write(line);
        if (line == "# End Project") st = state::done;
        else if (line == "# Begin Target") st = state::in_target;
        break;
      case state::in_target:
        if (line == "# End Target") {
          rw.write(header);
          write_entry(rw, source, build);
          rw.write("# End Group");
          rw.write(line);
          st = state::copying;
        } else {
          rw.write(line);
          if (line == header) st = state::in_group;
        }
        break;
      case state::in_group:
        if (line == "# End Group") {
          write_entry(rw, source, build);
          rw.write(line);
          st = state::after_group;
        } else if (line == "# Begin Source File") {
          std::string s;
          bool found = false;
          while (rw.read(s))
            if (!s.empty()) {
              found = true;
              break;
            }
          if (found && entry_replaced(s, source)) {
            st = state::skipping;
          } else {
            // The entry stays; the empty lines before its source line do not.
            rw.write(line);
            if (found) rw.write(s);
            else st = state::done;
          }
        } else {
          rw.write(line);
        }
        break;
      case state::skipping:
        if (line == "# End Source File") st = state::in_group;
        break;
      case state::after_group:
        rw.write(line);
        if (line == "# End Target") st = state::copying;
        break;
      case state::done:
        break;
    }
  }
  return rw.finish();
}

int InsertLineAfterPrefix(const std::string& project, const std::string& prefix,
                          const std::string& new_line) {
  rewrite rw(project);
  std::string line;
  while (rw.read(line)) {
    if (line.compare(0, prefix.size(), prefix) != 0) {
      rw.write(line);
      continue;
    }
    rw.write(line);
    if (!rw.read(line)) {
      rw.write(new_line);
      break;
    }
    if (line != new_line) rw.write(new_line);
    rw.write(line);
  }
  return rw.finish();
}

int UpdateProjectFromMakefile(const std::string& project_path, const std::string& makefile_path,
                              const std::string& /*root*/, const progress_sink& progress) {
  std::string project = project_path;
  ForceExtension(project, "dsp");
  CopyTextFile(project, project + ".org");
  std::string makefile = makefile_path;
  ForceExtension(makefile, "mak");
  print_progress(progress, "Updating " + project + " from " + makefile);

  line_reader mak(makefile);
  if (!mak.is_open()) throw update_failure("could not read " + makefile);
  int result = 0;
  std::string line;
  while (mak.next(line)) {
    const std::size_t colon = line.find(": ");
    if (colon == std::string::npos) continue;
    const std::string target = line.substr(0, colon);
    const std::string dependency = line.substr(colon + 2);
    if (HasExtension(target, "cpp") == 0 && HasExtension(dependency, "m") == 0) {
      // The rule's command, taken as it stands, becomes the custom build step; the
      // step runs for the IDE, so it always carries -ide:vc.
      std::string command;
      mak.next(command);
      if (command.find("-ide:vc") == std::string::npos) command += " -ide:vc";
      const std::string output = target + ": $(SOURCE) \"$(INTDIR)\" \"$(OUTDIR)\"";
      result = InsertSourceIntoGroup(dependency, project, kMFilesGroup, {output, command});
    } else if (HasExtension(target, "obj") == 0 && HasExtension(dependency, "cpp") == 0) {
      result = InsertSourceIntoGroup(dependency, project, kCppGroup, {});
    } else {
      continue;
    }
    if (result == 0) break;
    print_progress(progress, "Added " + dependency);
  }
  if (result != 0) print_progress(progress, "Update completed successfully.");
  return result;
}

}  // namespace prjupd
