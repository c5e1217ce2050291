#include "TDirectoryListBox.h"

#include "Exception.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

QByteArray currentDirectory(int *error)
{
    std::vector<char> buffer(4096);
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size())) {
            *error = 0;
            return QByteArray(buffer.data());
        }
        if (errno != ERANGE || buffer.size() > (1u << 20)) {
            *error = errno;
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

TDirectoryListBox::TDirectoryListBox(QWidget *parent)
    : QWidget(parent)
{
    directory_ = currentDirectory(&error_);
    setFocusPolicy(Qt::NoFocus);
    setVisible(false);
}

QByteArray TDirectoryListBox::Directory() const
{
    if (error_ != 0)
        throw Exception(QCoreApplication::translate("TDirectoryListBox",
            "Папка, из которой запущен учебник, недоступна (%1). "
            "Запустите учебник заново из папки курса.")
                            .arg(QString::fromLocal8Bit(std::strerror(error_))));
    return directory_;
}
