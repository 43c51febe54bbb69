#include "shell/MailServices.h"

#include "platform/mailstore/Application.h"
#include "platform/mailstore/Item.h"
#include "platform/mailstore/UserProperties.h"
#include "platform/mapi/MAPIUtils.h"
#include "shell/ErrorTrap.h"
#include "shell/MailProfile.h"

namespace kw {

void CleanUpMAPI(Messages &messages, MailProfile &profile)
{
    trapErrors(messages, place::LogOnly, QStringLiteral("Clear"), [&profile] {
        const mailstore::ApplicationPtr app = profile.application();
        if (app->Version().left(2) == QLatin1String("10")) {
            mapi::MAPIUtils utils(app->GetNamespace(QStringLiteral("MAPI")));
            utils.Cleanup();
        }
    });
}

mailstore::UserPropertyPtr GetOrAddUserProperty(const mailstore::ItemPtr &item, const QString &name,
                                              Messages &messages)
{
    mailstore::UserPropertyPtr property;
    trapErrors(messages, place::GetOrAddUserProperty, {}, [&] {
        if (!item)
            throw PlatformError(errors::kObjectVariableNotSet, QStringLiteral("Object variable not set"));
        // Add gives the property of that name when there is one already.
        property = item->UserProperties()->Add(name, 1);
    });
    return property;
}

} // namespace kw
