#pragma once

#include <string>
#include <vector>

namespace cli {

// Each command prints its result on standard output and returns the exit code; a bad
// argument throws UsageError.
int runTime(const std::vector<std::string>& args);
int runWhere(const std::vector<std::string>& args);
int runProject(const std::vector<std::string>& args);
int runEphem(const std::vector<std::string>& args);
int runStar(const std::vector<std::string>& args);
int runDso(const std::vector<std::string>& args);    // DsoCommand.cpp
int runPlace(const std::vector<std::string>& args);  // PlaceCommand.cpp
int runRender(const std::vector<std::string>& args); // RenderCommand.cpp
int runInfo(const std::vector<std::string>& args);   // InfoCommand.cpp
int runFind(const std::vector<std::string>& args);   // FindCommand.cpp
int runTable(const std::vector<std::string>& args);  // TableCommand.cpp

int runCheckData(const std::vector<std::string>& args); // CheckDataCommand.cpp

// The catalogues' folder when --data does not name one: the installed program's, else the
// source tree's.
std::string defaultDataFolder();

// Whether --allow-damaged was given (anywhere on the command line).
void setAllowDamaged(bool allow);
// Names every damaged data file on standard error; then, unless --allow-damaged was given,
// throws DamagedData so that nothing is computed from a half-read catalogue.
void reportDamaged(const std::vector<std::string>& damaged);

} // namespace cli
