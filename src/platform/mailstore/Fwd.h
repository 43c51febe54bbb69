#pragma once

#include <memory>

namespace kw::mailstore {

// Every object of the model is handed out as a shared pointer: a caller may
// keep a folder or an item after the application that gave it is released.
class Application;
class NameSpace;
class Folder;
class Folders;
class Items;
class Item;
class UserProperty;
class UserProperties;
class Attachment;
class Attachments;
class Recipient;
class Inspector;
class ProfileDb;

using ApplicationPtr = std::shared_ptr<Application>;
using NameSpacePtr = std::shared_ptr<NameSpace>;
using FolderPtr = std::shared_ptr<Folder>;
using FoldersPtr = std::shared_ptr<Folders>;
using ItemsPtr = std::shared_ptr<Items>;
using ItemPtr = std::shared_ptr<Item>;
using UserPropertyPtr = std::shared_ptr<UserProperty>;
using UserPropertiesPtr = std::shared_ptr<UserProperties>;
using AttachmentPtr = std::shared_ptr<Attachment>;
using AttachmentsPtr = std::shared_ptr<Attachments>;
using RecipientPtr = std::shared_ptr<Recipient>;
using InspectorPtr = std::shared_ptr<Inspector>;
using ProfileDbPtr = std::shared_ptr<ProfileDb>;

// Default-folder numbers accepted by GetDefaultFolder and GetSharedDefaultFolder.
namespace defaultfolder {
constexpr int DeletedItems = 3;
constexpr int Outbox = 4;
constexpr int SentMail = 5;
constexpr int Inbox = 6;
constexpr int Calendar = 9;
constexpr int Contacts = 10;
constexpr int Journal = 11;
constexpr int Notes = 12;
constexpr int Tasks = 13;
} // namespace defaultfolder

} // namespace kw::mailstore
