#pragma once

// Module RegistryFunctions: class Settings, the tools' settings in the registry.

#include "platform/registry/Registry.h"

#include <QList>
#include <QPair>
#include <QString>

namespace kw {

class Messages;

// The settings of every tool: one text value each under
// HKEY_CURRENT_USER\Software\Mirotek\Kontorwerk\3.0\Settings.
//
// Nothing is cached here; every read goes to the registry so that a value
// saved in the options takes effect at the next use.
class Settings
{
public:
    static const QString &settingsKey();

    Settings(registry::Registry &registry, Messages &messages);

    // The stored text, or `defaultValue` when missing or not a REG_SZ value.
    QString GetSetting(const QString &name, const QString &defaultValue) const;
    // Stores the text; on failure shows "saf" and returns false.
    bool SaveSetting(const QString &name, const QString &value);
    // Yes for exactly "1", no for exactly "0", `defaultValue` for anything else.
    bool GetSettingBool(const QString &name, bool defaultValue) const;
    // Writes `value` only when nothing is stored under `name`. Returns false
    // when that write failed; `quiet` suppresses the "saf" message.
    bool InitSetting(const QString &name, const QString &value, bool quiet = false);
    // Writes every missing default, in table order. An unwritable store gets
    // one "saf" message for the whole table, not one per value.
    bool InitDefaultSettings();

    QString GetRegString(registry::HKEY root, const QString &subKey, const QString &valueName,
                         const QString &defaultValue) const;
    // Returns whether the value was stored; with `quiet` a failure shows nothing.
    bool SetRegString(registry::HKEY root, const QString &subKey, const QString &valueName,
                      const QString &value, bool quiet = false);

    // The defaults written at every start, in their order.
    static const QList<QPair<QString, QString>> &defaults();

    registry::Registry &registry() { return m_registry; }

private:
    void showSaveFailure();

    registry::Registry &m_registry;
    Messages &m_messages;
};

} // namespace kw
