#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Where the main window's controls go for a size of its client area, in logical pixels. At the
// base size they keep the places they were designed at; a larger window gives its extra width
// to the list and the preview in halves and its extra height to both, and the controls below
// them follow the bottom edge.
struct MainWindowLayout
{
    QRect openFilesButton, pasteButton, receiveButton, loadArrow, upperRule;
    QRect searchField, issueList;
    // 未印刷を選択, 全て選択, 全て選択解除, 削除: as many to a row as the list's width takes.
    QList<QRect> listButtons;
    QRect titleLabel, sizeLabel, hintView, commentView, annotationButton;
    QRect lowerRule, printArrow, positionGroup, printButton, previewButton;
};

constexpr int ListButtonCount = 4;

// The window's first and smallest size: 6600 x 6000 twips.
QSize mainWindowBaseSize();

// Sizes below the base size are laid out as the base size.
MainWindowLayout layOutMainWindow(QSize client);
