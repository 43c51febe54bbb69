#include "platform/files/Faults.h"

namespace kw::files::faults {
namespace {

struct Plan
{
    bool crossDevice = false;
    qint64 writeLimit = -1;
    bool sourceDeleteFails = false;
};

Plan &plan()
{
    static Plan p;
    return p;
}

} // namespace

void reset() { plan() = Plan{}; }
void simulateCrossDevice(bool on) { plan().crossDevice = on; }
void failWritesAfter(qint64 bytes) { plan().writeLimit = bytes; }
void failSourceDelete(bool on) { plan().sourceDeleteFails = on; }

bool crossDevice() { return plan().crossDevice; }
qint64 writeLimit() { return plan().writeLimit; }
bool sourceDeleteFails() { return plan().sourceDeleteFails; }

} // namespace kw::files::faults
