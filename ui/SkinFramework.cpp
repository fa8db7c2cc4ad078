#include "ui/SkinFramework.h"

#include "shell/Failure.h"
#include "ui/Colours.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace lw {

QVariant SkinFramework::Invoke(int member, const QVariantList& arguments) {
    m_calls << QStringLiteral("invoke %1").arg(member);
    switch (member) {
    case 2: {
        const QString path = arguments.value(0).toString();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            throw Failure(QStringLiteral("Cannot load skin %1: %2").arg(path, file.errorString()));
        m_styleSheet = QString::fromUtf8(file.readAll());
        return {};
    }
    case 3: {
        QWidget* window = QWidget::find(WId(arguments.value(0).toULongLong()));
        if (!window)
            throw Failure(QStringLiteral("Invalid window handle"));
        if (m_flags & 1)
            window->setStyleSheet(m_styleSheet);
        return {};
    }
    default:
        throw Failure(QStringLiteral("Member not found"));
    }
}

QVariant SkinFramework::property(int id) {
    m_calls << QStringLiteral("get %1").arg(id);
    switch (id) {
    case 1:
        return m_flags;
    case 5:
        return m_controls;
    case 10:
        return m_frames;
    default:
        throw Failure(QStringLiteral("Member not found"));
    }
}

void SkinFramework::setProperty(int id, const QVariant& value) {
    m_calls << QStringLiteral("set %1").arg(id);
    switch (id) {
    case 1:
        m_flags = value.toInt();
        break;
    case 5:
        m_controls = value.toBool();
        break;
    case 10:
        m_frames = value.toBool();
        break;
    default:
        throw Failure(QStringLiteral("Member not found"));
    }
}

void ApplySkin(QWidget* window, SkinFramework& skin, const QString& skinFile) {
    const QFileInfo info(skinFile);
    if (!info.exists() || !info.isFile() || info.isHidden())
        return;
    applyFaceColourTo(window, true);
    skin.Invoke(2, {info.absoluteFilePath(), QString()});
    skin.setProperty(1, skin.property(1).toInt() | 1);
    skin.setProperty(5, true);
    skin.setProperty(10, true);
    skin.Invoke(3, {quint64(window->winId())});
}

} // namespace lw
