#pragma once
// The Japanese texts the core writes, in UTF-8: the one place where a text is added or
// changed. scripts/gen-literals.py turns this list into platform/literals.hpp, the same texts as
// CP932 byte constants that need no conversion at run time; run it after every change here.
// AllLiterals() pairs each name with its text so a test proves the bytes are its conversion.

// X(name, UTF-8 text)
#define ORVIKEL_LITERAL_TEXTS(X)                                                            \
    /* discovery */                                                                         \
    X(kSapporo, "札幌")                                                                     \
    X(kHakodate, "函館")                                                                    \
    X(kFukushima, "福島")                                                                   \
    X(kNiigata, "新潟")                                                                     \
    X(kTokyo, "東京")                                                                       \
    X(kNakayama, "中山")                                                                    \
    X(kChukyo, "中京")                                                                      \
    X(kKyoto, "京都")                                                                       \
    X(kHanshin, "阪神")                                                                     \
    X(kKokura, "小倉")                                                                      \
    X(kDayBefore, "前日")                                                                   \
    /* race header */                                                                       \
    X(kYear, "年")                                                                          \
    X(kMonth, "月")                                                                         \
    X(kDayMeeting, "日 第")                                                                 \
    X(kMeetingBlank, "回 ")                                                                 \
    X(kDayOfMeeting, "日目 第")                                                             \
    X(kRaceR, "Ｒ")                                                                         \
    X(kPostTimeLabel, "発走時刻  ")                                                         \
    /* race card */                                                                         \
    X(kApprentice10, " ☆")                                                                  \
    X(kApprentice20, " △")                                                                  \
    X(kApprentice30, " ▲")                                                                  \
    X(kApprenticeNone, " 　")                                                               \
    X(kRemarkChanged, "●騎手／負担重量変更")                                                \
    X(kRemarkScratched, "●出走取消          ")                                              \
    X(kGain, "＋")                                                                          \
    X(kNoChange, "± 0")                                                                     \
    X(kFirstRun, " 初 ")                                                                    \
    X(kSignFilled, "▲")                                                                     \
    X(kSignDash, "－")                                                                      \
    X(kSignOpen, "△")                                                                       \
    /* scratched and cancelled markers */                                                   \
    X(kCancelledMark, "ﾄﾘｹｼ")                                                               \
    X(kWinScratched, "  ﾄﾘｹｼ    ")                                                          \
    X(kPlaceScratched, "  ﾄﾘｹｼ- ﾄﾘｹｼ")                                                      \
    X(kKeyScratched, "* ﾄﾘｹｼ**ﾄﾘｹｼ**ﾄﾘｹｼ")                                                  \
    X(kKeyScratchedPlacePrefix, "*ﾄ")                                                       \
    X(kOdds5Cancelled, " ﾄﾘｹｼ")                                                             \
    X(kOdds6Cancelled, "  ﾄﾘｹｼ")                                                            \
    X(kWideCancelled, "  ﾄﾘｹｼ-  ﾄﾘｹｼ")                                                      \
    X(kBracketCancelledKey, "Wﾄﾘｹｼ")                                                        \
    X(kQuinellaCancelledKey, "U ﾄﾘｹｼ")                                                      \
    X(kWideCancelledKey, "K ﾄﾘｹｼ   ﾄﾘｹｼ")                                                   \
    X(kExactaCancelledKey, "S ﾄﾘｹｼ")                                                        \
    X(kTrioCancelledKey, "Y ﾄﾘｹｼ")                                                          \
    X(kBracketCancelledLine, " ﾄﾘｹｼ    ")                                                   \
    X(kPairCancelledLine, "  ﾄﾘｹｼ     ")                                                    \
    X(kWideCancelledLine, "  ﾄﾘｹｼ-  ﾄﾘｹｼ     ")                                             \
    /* odds lists */                                                                        \
    X(kNoData, "DATAなし")                                                                  \
    X(kNowSuffix, "現在]")                                                                  \
    X(kCaptionBracket, "枠番連勝 ")                                                         \
    X(kCaptionQuinella, "馬番連勝 ")                                                        \
    X(kCaptionWide, "ワイド ")                                                              \
    X(kCaptionExacta, "馬単 ")                                                              \
    X(kCaptionTrio, "３連複 ")                                                              \
    X(kCaptionNoTime, "[**:**現在]")                                                        \
    X(kTotalWin, "単勝発売票数　:")                                                         \
    X(kTotalPlace, "複勝発売票数　:")                                                       \
    X(kTotalBracket, "枠連発売票数　:")                                                     \
    X(kTotalQuinella, "馬連発売票数　:")                                                    \
    X(kTotalWide, "ワイド発売票数:")                                                        \
    X(kTotalExacta, "馬単発売票数　:")                                                      \
    X(kTotalTrio, "３連複発売票数:")                                                        \
    /* results */                                                                           \
    X(kResultsCaution, "【備考】※競走成績は必ず主催者発行のものと照合し確認してください。") \
    X(kResultsNoData, "備考：特になし（データなし）")                                       \
    X(kResultsWin, "単勝 ")                                                                 \
    X(kResultsPlace, "複勝 ")                                                               \
    X(kResultsBracket, "枠番連勝 ")                                                         \
    X(kResultsQuinella, "馬番連勝 ")                                                        \
    X(kResultsWide, "ワイド　 ")                                                            \
    X(kResultsExacta, "馬単　　 ")                                                          \
    X(kResultsTrio, "３連複　 ")                                                            \
    X(kNumberSuffixBlank, "番 ")                                                            \
    X(kNumberSuffix, "番")                                                                  \
    X(kYenBlanks, "円  ")                                                                   \
    X(kRefundLabel, "返還に関わる馬番 ")                                                    \
    X(kNone, "なし")                                                                        \
    X(kFinishHeader, "着順 馬番馬名              タイム／着差")                             \
    X(kFinishSuffix, "着")                                                                  \
    /* vote counts */                                                                       \
    X(kVotesOpenNarrow, "票 ( ")                                                            \
    X(kVotesOpen, "票 (")                                                                   \
    X(kVotesNoData, "発売票数データなし")                                                   \
    X(kGrandTotalLabel, "総発売票数　　:")                                                  \
    X(kGrandTotalTail, "票 (％)")                                                           \
    /* trio selection */                                                                    \
    X(kTooManyTicks, "BOX総流しパネルの、チェックの数が多すぎます！")                       \
    /* betting aids: the trio set's points and CSV export */                                \
    X(kPointsLabel, "点数 ")                                                                \
    X(kCombinedOddsLabel, "合成オッズ ")                                                    \
    X(kNoCombinedOdds, "---")                                                               \
    X(kExcludedSuffix, "点除く)")                                                           \
    X(kCsvBracket, "枠")                                                                    \
    X(kCsvHorseName, "馬名")                                                                \
    X(kCsvRank, "人気")                                                                     \
    X(kCsvPlaceLower, "複勝下限")                                                           \
    X(kCsvPlaceUpper, "複勝上限")                                                           \
    X(kCsvBodyWeight, "馬体重")                                                             \
    X(kCsvWeightChange, "増減")                                                             \
    X(kCsvJockey, "騎手名")                                                                 \
    X(kCsvBurden, "重量")                                                                   \
    X(kCsvRemark, "記事")                                                                   \
    X(kCsvCombination, "組番")                                                              \
    X(kCsvLower, "下限")                                                                    \
    X(kCsvUpper, "上限")                                                                    \
    X(kCsvState, "状態")                                                                    \
    X(kCsvBetKind, "券種")                                                                  \
    X(kCsvVotes, "票数")                                                                    \
    X(kCsvShare, "割合")                                                                    \
    X(kCsvTheoretical, "理論オッズ")                                                        \
    X(kCsvGap, "乖離")                                                                      \
    X(kBetWin, "単勝")                                                                      \
    X(kBetPlace, "複勝")                                                                    \
    X(kBetBracket, "枠連")                                                                  \
    X(kBetQuinella, "馬連")                                                                 \
    X(kBetWide, "ワイド")                                                                   \
    X(kBetExacta, "馬単")                                                                   \
    X(kBetTrio, "３連複")                                                                   \
    X(kStateNoOdds, "1.0倍未満")                                                            \
    X(kStateCancelled, "取消")                                                              \
    X(kStateScratched, "出走取消")                                                          \
    X(kFirstRunMark, "初")                                                                  \
    X(kCannotCreateSuffix, " を作成できません")                                             \
    X(kNoRaceToExport, "CSVに保存するレースが表示されていません")                           \
    /* messages */                                                                          \
    X(kFilePrefixMsg, "ファイル ")                                                          \
    X(kCannotOpenSuffix, " は開けません")                                                   \
    X(kCannotWriteSuffix, " に書き込めません")                                              \
    X(kNoLineSuffix, " に行がありません")                                                   \
    X(kNotANumberMid, " が数値ではありません: ")                                            \
    X(kOpenQuote, "「")                                                                     \
    X(kCloseQuote, "」")                                                                    \
    X(kTitleText, "Orvi series 「OrviＫＥＬ Viewer」")                                      \
    X(kTooFewLinesSuffix, " の行が18行に足りません")                                        \
    X(kOutOfRangeMid, " が範囲外です: ")                                                    \
    X(kTooLargeMid, " が大きすぎます: ")                                                    \
    X(kWinOddsField, "単勝オッズ")                                                          \
    X(kPlaceOddsField, "複勝オッズ下限")                                                    \
    X(kOddsField, "オッズ")                                                                 \
    X(kHorseNumberField, "馬番")                                                            \
    X(kNotShiftJisSuffix, " は Shift-JIS のテキストではありません")                         \
    X(kLineTooLongSuffix, " の1行目が 1 MiB を超えています")                                \
    X(kFileTooLargeSuffix, " が 1 MiB を超えています")                                      \
    X(kOfMid, " の ")                                                                       \
    X(kNoMemoryToReadSuffix, " を読むためのメモリが足りません")                             \
    X(kOutOfMemory, "メモリが足りません")                                                   \
    X(kInternalErrorPrefix, "内部エラーです: ")                                             \
    X(kUnknownError, "原因のわからないエラーが起きました")                                  \
    X(kFolderPrefixMsg, "フォルダ ")                                                        \
    X(kWriterBusySuffix,                                                                    \
      " には別の OrviKEL Viewer か orvikel-dump が書き込み中です。"           \
      "少し待ってからもう一度操作してください")                                             \
    X(kAlreadyRunningSuffix, " の OrviKEL Viewer は既に起動しています")                     \
    X(kCannotLockSuffix, " をロックできません")                                             \
    X(kFolderNamePrefix, "フォルダ名 ")                                                     \
    X(kNotCp932NameSuffix, " には Shift-JIS で表せない文字が含まれています")                \
    X(kControlCharacterSuffix, " には改行などの制御文字が含まれています")                   \
    /* fields named in messages, with their byte columns */                                 \
    X(kVenueField, "場番号 (59-60)")                                                        \
    X(kMeetingKeyAField, "開催キーA (64)")                                                  \
    X(kMeetingKeyBField, "開催キーB (65-66)")                                               \
    X(kMeetingKeyCField, "開催キーC (67-68)")                                               \
    X(kMeetingNumberField, "開催回")                                                        \
    X(kDayOfMeetingField, "開催日目")                                                       \
    X(kRaceNumberField, "レース番号")
