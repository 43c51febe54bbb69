#pragma once

#include "shell/RunFrame.h"

namespace kw {
namespace refdb {
class Database;
}
}

namespace kw::contacts {

// The frame of one contact run and the reference database it reads.
struct ContactRunContext : RunFrame
{
    refdb::Database &database;
};

} // namespace kw::contacts
