// A started console over the simulated engine, with a settings folder of its
// own per test.
#ifndef TESTS_CONSOLE_CONSOLEFIXTURE_H
#define TESTS_CONSOLE_CONSOLEFIXTURE_H

#include "ErrorBox.h"
#include "MainDataModule.h"
#include "SenderMainForm.h"
#include "ovSenderSim.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class ConsoleFixture : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    qputenv("OSTREL_HOME", home_.path().toUtf8());
    ovSenderSimReset();
    // Error boxes are collected, never shown: a test cannot answer them.
    TErrorBox::Presenter = [this](const QString& caption, const QString& text) {
      errorBoxes_.emplace_back(caption, text);
    };
  }

  void TearDown() override {
    CloseConsole();
    TErrorBox::Presenter = nullptr;
    TFileDialog::Executor = nullptr;
    ovSenderSimReset();
  }

  // The next file dialogs confirm this path (an empty path cancels them).
  void ChooseFile(const QString& path) {
    TFileDialog::Executor = [path](TFileDialog& dialog) {
      if (path.isEmpty()) return false;
      dialog.FileName = path;
      return true;
    };
  }

  // A path in this test's folder; written as a small file when create is set.
  QString TestFile(const QString& name, bool create = true) {
    const QString path = home_.filePath(name);
    if (create) {
      QFile file(path);
      EXPECT_TRUE(file.open(QIODevice::WriteOnly));
      file.write("x");
    }
    return path;
  }

  // The items of the run-time menu regions, between their markers.
  static std::vector<TMenuItem*> Region(TMenuItem* begin, TMenuItem* end) {
    return TMainDataModule::MenuRegion(begin, end);
  }
  std::vector<TMenuItem*> VideoSourceItems() {
    return Region(Module().VideoSourceBeginMenuItem, Module().VideoSourceEndMenuItem);
  }
  std::vector<TMenuItem*> AudioSourceItems() {
    return Region(Module().AudioSourceBeginMenuItem, Module().AudioSourceEndMenuItem);
  }
  std::vector<TMenuItem*> VideoEncoderItems() {
    return Region(Module().VideoEncoderBeginMenuItem, Module().VideoEncoderEndMenuItem);
  }
  std::vector<TMenuItem*> AudioEncoderItems() {
    return Region(Module().AudioEncoderBeginMenuItem, Module().AudioEncoderEndMenuItem);
  }
  std::vector<TMenuItem*> ClipItems() {
    return Region(Module().VideoClipHistoryBeginMenuItem, Module().VideoClipHistoryEndMenuItem);
  }
  std::vector<TMenuItem*> SoundItems() {
    return Region(Module().SoundFileHistoryBeginMenuItem, Module().SoundFileHistoryEndMenuItem);
  }
  std::vector<TMenuItem*> CaptionItems() {
    return Region(Module().CaptionHistoryBeginMenuItem, Module().CaptionHistoryEndMenuItem);
  }

  static QStringList ItemCaptions(const std::vector<TMenuItem*>& items) {
    QStringList captions;
    for (TMenuItem* item : items) captions << item->Caption();
    return captions;
  }

  // Stores registry values before the console starts.
  static void Store(const std::string& key, const std::string& value) {
    ASSERT_TRUE(ovSenderSimSetRegistryValue("Sender", key, value));
  }
  static std::optional<std::string> Stored(const std::string& key) { return ovSenderSimRegistryValue("Sender", key); }

  bool StartConsole(bool show = true) {
    form_ = std::make_unique<TSenderMainForm>();
    if (!form_->FormCreate()) return false;
    if (show) {
      form_->show();
      QCoreApplication::processEvents();
    }
    return true;
  }

  void CloseConsole() {
    if (!form_) return;
    form_->close();
    form_.reset();
  }

  // Runs the idle updates the event loop would run.
  static void Idle() {
    QCoreApplication::processEvents();
    TActionList::UpdateAllActions();
  }

  // The logged calls of the given functions, in order ("SetStart(1)").
  static std::vector<std::string> Calls(const std::vector<std::string>& functions) {
    std::vector<std::string> result;
    for (const std::string& line : ovSenderSimCallLog()) {
      const std::string name = line.substr(0, line.find('('));
      for (const std::string& f : functions)
        if (name == f) result.push_back(line);
    }
    return result;
  }

  TMainDataModule& Module() { return *MainDataModule; }

  QTemporaryDir home_;
  std::unique_ptr<TSenderMainForm> form_;
  std::vector<std::pair<QString, QString>> errorBoxes_;  // caption, text
};

#endif
