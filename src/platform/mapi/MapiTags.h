#pragma once

#include <QtGlobal>

// Property tags understood by the wrapper library.
namespace kw::mapi {

constexpr quint32 PR_ENTRYID = 0x0FFF0102;
constexpr quint32 PR_STORE_ENTRYID = 0x0FFB0102;
constexpr quint32 PR_DISPLAY_NAME = 0x3001001E;
constexpr quint32 PR_CONTAINER_CLASS = 0x3613001E;
constexpr quint32 PR_ATTACHMENT_HIDDEN = 0x7FFE000B;
constexpr quint32 PR_ATTACH_PATHNAME = 0x3708001E;
constexpr quint32 PR_ATTACH_LONG_FILENAME = 0x3707001E;
constexpr quint32 PR_ATTACH_SIZE = 0x0E200003;
constexpr quint32 PR_ATTACH_METHOD = 0x37050003;

} // namespace kw::mapi
