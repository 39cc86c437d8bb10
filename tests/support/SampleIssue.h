#pragma once

#include "PuzzleRecord.h"

// A complete record as the parser would leave it: title "◇第<number>回◇　今日の問題", an
// n x n grid labelled Ａ.. and ａ.., hints "ヒント1".., comments "コメント1".., a publisher,
// a magazine ID and a sending time.
PuzzleRecord sampleIssue(int number, qint32 n, int hints, int comments);
