#pragma once

// The whole object model of the mail store in one include.
#include "platform/mailstore/Application.h"
#include "platform/mailstore/Attachments.h"
#include "platform/mailstore/FieldValues.h"
#include "platform/mailstore/Folder.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/ItemSchema.h"
#include "platform/mailstore/Items.h"
#include "platform/mailstore/NameSpace.h"
#include "platform/mailstore/Recipient.h"
#include "platform/mailstore/UserProperties.h"
