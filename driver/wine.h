// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Windows programs under Wine on an X display of the test's own, best with
// a window manager (unmanaged windows block two seconds as they go): one
// Wine prefix, made fresh for the run (no Mono or Gecko asked for, no menus
// written into $HOME), and each program's output in files, as Wine's
// helpers would hold a pipe open. The prefix's wineserver goes with it.
class Wine
{
public:
    explicit Wine(const QString &display);
    ~Wine();
    Wine(const Wine &) = delete;
    Wine &operator=(const Wine &) = delete;

    // Empty once the prefix is made; else why not.
    QString problem() const { return problem_; }
    // Dots an inch for programs started from now on.
    bool SetDpi(int dpi);
    // Starts `program` with `arguments`.
    void Start(QProcess &process, const QString &program, const QStringList &arguments = {});
    // Runs a program to its end: its exit status, or -1.
    int Run(const QString &program, const QStringList &arguments = {});
    // What a program started here wrote to standard output and error; of
    // a QProcess() not started here, what the last one run wrote.
    QByteArray Output(const QProcess &process) const;
    // A value under HKEY_CURRENT_USER, as `reg query` prints it ("0x1"), or
    // empty.
    QString Registry(const QString &key, const QString &value);

private:
    QProcessEnvironment Environment() const;

    QTemporaryDir prefix_;
    QString display_;
    QString problem_;
    QString last_; // the last run's output file
    int runs_ = 0;
};
