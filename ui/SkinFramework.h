#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

class QWidget;

namespace lw {

// Applies a skin to a window, driven by member and property numbers:
//   member 2 (path, "")  loads the skin file, a Qt style sheet;
//   property 1           option flags, bit 0 = apply to the whole window;
//   property 5, 10       apply to controls, apply to frames;
//   member 3 (windowId)  applies the loaded skin to that native window.
class SkinFramework {
public:
    QVariant Invoke(int member, const QVariantList& arguments);
    QVariant property(int id);
    void setProperty(int id, const QVariant& value);

    const QString& styleSheet() const { return m_styleSheet; }
    // Every call made, in order ("invoke 2", "get 1", "set 1", ...), for tests.
    const QStringList& callLog() const { return m_calls; }

private:
    QString m_styleSheet;
    qint32 m_flags = 0;
    bool m_controls = false;
    bool m_frames = false;
    QStringList m_calls;
};

// Applies the skin file beside the program to the main window when the file is
// there: the window and its frames, labels and picture boxes turn button-face,
// then the skin component is driven in its fixed order. A missing skin file
// leaves everything as designed and the component untouched.
void ApplySkin(QWidget* window, SkinFramework& skin, const QString& skinFile);

} // namespace lw
