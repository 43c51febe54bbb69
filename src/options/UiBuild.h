#pragma once

// Small builders for the hand-built option windows: each control gets its
// objectName and caption in one line.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>

namespace kw::options::build {

template<typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QString::fromUtf8(name));
    return object;
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

} // namespace kw::options::build
