#pragma once

#include "platform/mailstore/Fwd.h"
#include "shell/FolderFunctions.h"
#include "shell/RunView.h"

#include <QString>
#include <functional>

namespace kw {
class Messages;
class Settings;
namespace refdb {
class Database;
}
}

namespace kw::contacts {

// The services and shell procedures one contact run works with.
struct ContactRunContext
{
    Settings &settings;
    Messages &messages;
    RunView &view;
    refdb::Database &database;
    std::function<void(bool)> BeginEndOperation;
    // GetActivatedFolders with the mode "OnlyContacts", not quiet.
    std::function<WorkingSet()> GetActivatedFolders;
};

} // namespace kw::contacts
