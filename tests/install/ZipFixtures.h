#pragma once

// Archives made at test time by the tools that make them in the real world, and what a
// folder holds before and after. Every helper returns an empty text on success and what
// went wrong otherwise, so a missing tool fails the test instead of skipping it.

#include "TestFiles.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Runs program in workFolder.
QString runTool(const QString& program, const QStringList& arguments, const QString& workFolder = {});

// Writes zipPath with Python's zipfile. The script runs with `zf` open (deflate by
// default) and these helpers:
//   add(name, data=b'', method=DEFLATED, mode=None, system=3, date=(2011, 6, 15, 12, 34, 56))
//     name as text (ASCII, else UTF-8 with the UTF-8 flag) or as raw bytes, stored
//     without the flag unless utf8=True; mode is a Unix mode for the external attributes
//   add_zeros(name, size): a deflated entry of size zero bytes, made without compressing them
//   add_tree(folder): every folder and file below folder, as zf.write stores them
QString pythonZip(const QString& zipPath, const QString& script);

// Every folder (ending in "/") and file below root by relative path, with file contents;
// the undo point an installation leaves (".krvnm-backup") is not listed.
QMap<QString, QByteArray> snapshot(const QString& root);

// A folder for large extractions: in memory when the system has one with twice the
// room, so a test that writes gigabytes does not wait for a disk.
QString scratchParent(qint64 bytes);
