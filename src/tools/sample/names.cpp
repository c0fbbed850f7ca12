#include "sample/names.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/encoding.hpp"

namespace orvikel::sample {

namespace {

// Full-width characters, so the character count is the byte count halved.
std::size_t Characters(std::string_view utf8) {
    std::size_t count = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

template <std::size_t N>
std::string_view Pick(Rng& rng, const std::array<std::string_view, N>& list) {
    return list[static_cast<std::size_t>(rng.Range(0, static_cast<int>(N) - 1))];
}

constexpr std::array<std::string_view, 30> kHorseHeads = {
    "ブルー",   "レッド", "ホワイト", "グラン",   "ミラクル", "ハッピー", "スター",   "ウインド",
    "サニー",   "ローズ", "キング",   "クイーン", "ノーブル", "ラッキー", "シャイン", "フラワー",
    "ミスター", "ベル",   "ナイト",   "ムーン",   "シルク",   "アスカ",   "コスモ",   "ヒカリ",
    "ユメ",     "ソラ",   "カゼ",     "ハヤテ",   "ミヤビ",   "サクヤ"};

constexpr std::array<std::string_view, 32> kHorseTails = {
    "ボーイ",   "ガール", "ロード",     "スター",   "ドリーム", "フラッシュ", "ストーム",
    "エース",   "ハート", "ソング",     "ジョイ",   "ビート",   "ウイング",   "クラウン",
    "ライト",   "リーフ", "ファイヤ",   "サンデー", "ヒーロー", "プリンス",   "ダンサー",
    "ランナー", "キッド", "ヴィーナス", "カフェ",   "パレード", "メモリー",   "ブリーズ",
    "ワルツ",   "ボルト", "オーラ",     "ミライ"};

constexpr std::array<std::string_view, 36> kSurnames = {
    "佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "山本", "中村", "小林", "加藤", "吉田", "山田",
    "松本", "井上", "木村", "清水", "山崎", "池田", "橋本", "阿部", "石川", "前田", "藤田", "小川",
    "岡田", "後藤", "村上", "近藤", "石井", "坂本", "遠藤", "青木", "藤井", "西村", "福田", "太田"};

constexpr std::array<std::string_view, 24> kGivenNames = {
    "一郎", "健太", "翔太", "大輔", "誠", "勇気", "拓也", "和也", "直人", "亮", "悠", "剛",
    "浩二", "隆",   "修",   "司",   "学", "光",   "豊",   "翼",   "蓮",   "陸", "颯", "匠"};

constexpr std::array<std::string_view, 24> kSeasonWords = {
    "紅葉", "白秋", "新涼", "初霜", "銀嶺", "若葉", "青嵐", "春風", "潮騒", "朱鷺", "飛鳥", "比叡",
    "六甲", "天草", "赤城", "筑波", "桂川", "鈴鹿", "錦秋", "霜月", "睦月", "弥生", "皐月", "葉月"};

}  // namespace

std::vector<std::string> HorseNames(Rng& rng, int count) {
    std::vector<std::string> utf8;
    while (static_cast<int>(utf8.size()) < count) {
        std::string name(Pick(rng, kHorseHeads));
        if (rng.Chance(0.85)) {
            name += Pick(rng, kHorseTails);
        }
        if (Characters(name) > 9 || std::find(utf8.begin(), utf8.end(), name) != utf8.end()) {
            continue;
        }
        utf8.push_back(name);
    }
    std::vector<std::string> names;
    for (const auto& name : utf8) {
        names.push_back(text::ToCp932(name));
    }
    return names;
}

std::vector<Jockey> MeetingJockeys(Rng& rng, int count) {
    std::vector<std::string> utf8;
    while (static_cast<int>(utf8.size()) < count) {
        std::string name = std::string(Pick(rng, kSurnames)) + std::string(Pick(rng, kGivenNames));
        if (std::find(utf8.begin(), utf8.end(), name) == utf8.end()) {
            utf8.push_back(name);
        }
    }
    std::vector<Jockey> jockeys;
    for (const auto& name : utf8) {
        Jockey jockey{text::ToCp932(name), "00"};
        const double draw = rng.Unit();
        if (draw < 0.06) {
            jockey.apprentice = "30";
        } else if (draw < 0.11) {
            jockey.apprentice = "20";
        } else if (draw < 0.17) {
            jockey.apprentice = "10";
        } else if (draw < 0.25) {
            jockey.apprentice = "  ";  // riders registered elsewhere carry no code at all
        }
        jockeys.push_back(jockey);
    }
    return jockeys;
}

RaceTexts RaceTextsFor(Rng& rng, int race) {
    struct Programme {
        std::string_view age;
        std::string_view grade;
        std::string_view rule;
        int burden;
    };
    // A usual weekend programme: maidens in the morning, the special races at the end.
    static constexpr std::array<Programme, 12> kDay = {{
        {"２歳", "未勝利", "馬齢", 550},
        {"３歳", "未勝利", "馬齢", 560},
        {"２歳", "未勝利", "馬齢", 550},
        {"３歳以上", "１勝クラス", "定量", 570},
        {"２歳", "新馬", "馬齢", 550},
        {"３歳以上", "１勝クラス", "定量", 570},
        {"３歳以上", "１勝クラス", "定量", 570},
        {"３歳以上", "２勝クラス", "定量", 570},
        {"３歳以上", "２勝クラス", "ハンデ", 550},
        {"３歳以上", "３勝クラス", "ハンデ", 550},
        {"３歳以上", "オープン", "別定", 570},
        {"４歳以上", "２勝クラス", "定量", 580},
    }};
    const Programme& p = kDay[static_cast<std::size_t>(race - 1)];
    std::string name;
    if (race == 9 || race == 10) {
        name = std::string(Pick(rng, kSeasonWords)) + (race == 9 ? "特別" : "ステークス");
    } else if (race == 11) {
        name = std::string(Pick(rng, kSeasonWords)) + (rng.Chance(0.5) ? "ステークス" : "賞");
        if (rng.Chance(0.4)) {
            name += "（Ｇ３）";
        }
    } else {
        name = std::string(p.age) + std::string(p.grade);
    }
    const std::string conditions =
        std::string(p.age) + "　" + std::string(p.grade) + "　" + std::string(p.rule);
    return RaceTexts{text::ToCp932(name), text::ToCp932(conditions), p.burden,
                     p.grade == "未勝利" || p.grade == "新馬"};
}

}  // namespace orvikel::sample
