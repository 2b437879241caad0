// The settings dialog's options that act on the main window's editing area,
// and opening the dialog from the main window.
#pragma once

#include "settings_values.h"

#include <QPoint>
#include <QRect>

class QPlainTextEdit;
class QWidget;
class TForm3;

// Pushes font face, colours, word wrap, ruler and line-number visibility from the options
// to the editor (RichEdit1) and the ruler (Panel2). Run at start-up
// after LoadSettingsIntoDialog and after every use of the dialog.
void ApplyEditorSettings(const DialogOptions &options, QPlainTextEdit &editor, QWidget &ruler);

// Top-left corner that centres a window of dialogSize over mainFrame, halves
// rounded toward zero.
QPoint DialogPositionOver(const QRect &mainFrame, QSize dialogSize);

// The main window's SpeedButton21Click (also the logo's left click): beeps,
// centres the dialog over the main window, runs it modally and applies the
// editor settings it closes with.
void OpenSettingsDialog(TForm3 &dialog, QWidget &mainWindow, QPlainTextEdit &editor, QWidget &ruler);
