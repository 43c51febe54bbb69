#pragma once

// Small builders for hand-built windows: each control gets its objectName
// (a settings key, so it must stay as it is) and caption in one line.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>
#include <QWidget>

namespace kw::ui::build {

template<typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QString::fromUtf8(name));
    return object;
}

// A new control of type W inside parent, named.
template<typename W>
W *child(QWidget *parent, const char *name)
{
    return named(new W(parent), name);
}

template<typename T>
T *captioned(QWidget *parent, const char *name, const char *caption)
{
    auto *control = named(new T(parent), name);
    if constexpr (requires { control->setTitle(QString()); })
        control->setTitle(QString::fromUtf8(caption)); // a frame's caption
    else
        control->setText(QString::fromUtf8(caption));
    return control;
}

inline QCheckBox *check(QWidget *parent, const char *name, const char *caption)
{
    return captioned<QCheckBox>(parent, name, caption);
}

inline QRadioButton *option(QWidget *parent, const char *name, const char *caption)
{
    return captioned<QRadioButton>(parent, name, caption);
}

inline QLabel *label(QWidget *parent, const char *name, const char *caption)
{
    return captioned<QLabel>(parent, name, caption);
}

inline QLineEdit *text(QWidget *parent, const char *name)
{
    return named(new QLineEdit(parent), name);
}

// A member of a control array: the array's name and the index.
template<typename T>
T *indexed(T *object, const char *name, int index)
{
    named(object, name)->setProperty("Index", index);
    return object;
}

} // namespace kw::ui::build
