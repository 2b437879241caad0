// A main window and settings dialog over a temporary program folder, and a
// way to answer the modal dialogs they open.
#pragma once

#include "modal_answers.h"
#include "shine_speed_button.h"
#include "tform1.h"
#include "tform3.h"
#include "window_parts.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class FormTest : public ::testing::Test
{
protected:
    QString programDir() const { return dir_.path() + u'/'; }
    QString path(const QString &name) const { return dir_.filePath(name); }

    void WriteFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadFile(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WriteIni(const QByteArray &text) const { WriteFile(QStringLiteral("qumoedit.ini"), text); }

    // Creates the windows and runs the start-up sequence to its end;
    // `prepare` sees the window before it is shown.
    void Start(const QStringList &arguments = {}, const std::function<void(TForm1 &)> &prepare = {})
    {
        form = std::make_unique<TForm1>();
        form3 = new TForm3(form.get());
        form->setForm3(form3);
        form->setProgramDir(programDir());
        form->setCommandLine(arguments);
        if (prepare)
            prepare(*form);
        QSignalSpy finished(form.get(), &TForm1::StartUpFinished);
        form->show();
        ASSERT_TRUE(finished.wait(5000)) << "start-up did not finish";
    }

    // Changes the options as the settings dialog does when it closes.
    void SetOptions(const std::function<void(DialogOptions &)> &change)
    {
        DialogOptions options = form3->options();
        change(options);
        form3->showOptions(options);
    }
    // Opens the settings dialog from its toolbar button, lets `change` set its controls
    // (found by name) and presses OK.
    void ChangeSettings(const std::function<void(QWidget *dialog)> &change)
    {
        modals.Then([change](QWidget *dialog) {
            change(dialog);
            Part<TShineSpeedButton>(dialog, QStringLiteral("PButton1"))->Click();
        });
        Part<TShineSpeedButton>(form, QStringLiteral("SpeedButton21"))->Click();
        ASSERT_TRUE(modals.allAnswered());
    }

    // Closes the window as the close box does; true when it closed.
    bool CloseWindow()
    {
        form->close();
        return !form->isVisible();
    }

    QTemporaryDir dir_;
    ModalAnswers modals;
    std::unique_ptr<TForm1> form;
    TForm3 *form3 = nullptr;
};
