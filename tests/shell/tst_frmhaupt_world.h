#pragma once

// A loaded main window over a test world, shared by the main-window tests.

#include "platform/core/PlatformError.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/OutBar.h"
#include "shell/AppServices.h"
#include "shell/frmHaupt.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace kw::test {

// A main window over a test world, loaded, with every dispatchable name
// recording its calls.
struct World
{
    TestEnv env;
    ui::RecordingHelpViewer help;
    frmHaupt window{env.messages, help};
    QStringList calls;

    World()
    {
        help.setHelpFolder(QStringLiteral(KW_DATA_DIR "/help"));
        for (const QString &name : window.actionNames())
            window.setAction(name, [this, name] { calls.append(name); });
        window.Form_Load();
        QTEST_ASSERT(calls == QStringList{QStringLiteral("tvwFolderFill")});
        calls.clear();
    }

    template<typename T>
    T *find(const QString &name) { return window.findChild<T *>(name); }

    QToolButton *toolItem(const QString &group, const QString &key)
    {
        ui::OutBar *bar = window.controls().OutBar1;
        const int g = bar->groupIndex(group);
        return bar->itemButton(g, bar->itemIndex(g, key));
    }
};

} // namespace kw::test
