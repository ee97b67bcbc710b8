#pragma once

#include "billing/PostgresDatabase.h"
#include "platform/FileAccess.h"
#include "platform/ProgramFolder.h"

#include <string>

namespace pyrostat {

// libpq's own password file: $PGPASSFILE, else ~/.pgpass.
std::string PasswordFilePath(const EnvironmentReader& env);

// The password of a server kept in the password file, where libpq finds it
// and the settings never hold it: the line of the same server, port,
// database and user replaced, or one added; the file readable by its owner
// only (libpq ignores it otherwise). The other lines stay as they were.
FileProblem KeepPassword(const std::string& path, const ServerFields& server,
                         const std::string& password);

} // namespace pyrostat
