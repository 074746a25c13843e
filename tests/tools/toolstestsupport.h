#pragma once

// What the tool screen tests share: a fresh working directory and a queued
// answer to the next modal message box.

#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

namespace ToolsTest {

using TestSupport::ModalBox;
using TestSupport::WorkingDirectory;

} // namespace ToolsTest
