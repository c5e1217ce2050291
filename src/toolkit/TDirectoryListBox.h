#pragma once

#include <QByteArray>
#include <QWidget>

// A directory list that is never shown: it remembers the process's current
// directory at the moment it is created and never follows later changes.
class TDirectoryListBox : public QWidget
{
    Q_OBJECT
public:
    explicit TDirectoryListBox(QWidget *parent = nullptr);

    // The directory in the file system's 8-bit encoding, without a trailing
    // slash except for the root. Raises Exception when it could not be read
    // (the directory had been removed), rather than give a wrong place.
    QByteArray Directory() const;

private:
    QByteArray directory_;
    int error_ = 0;
};
