#include "tests/report/ReportFixture.h"

#include "model/ValueText.h"

#include <string>

namespace
{
constexpr int kInputs = 4;
constexpr int kOutputs = 8;
constexpr int kInputBands = 6;
constexpr int kOutputBands = 15;

struct Texts
{
    bool bEnglish;
    std::string Pick(const char* en, const char* zh) const { return bEnglish ? en : zh; }
};

ReportCell Number(const std::string& text)
{
    return {text, EReportCell::Number};
}

ReportCell Text(const std::string& text)
{
    return {text, EReportCell::Text};
}

ReportCell Name(const std::string& text)
{
    return {text, EReportCell::UserText};
}

// Row with one cell per input column (1..4) and per output column (5..12).
ReportRow Row(std::string title, ReportColour background, auto input, auto output)
{
    ReportRow row;
    row.strTitle = std::move(title);
    row.background = background;
    for (int i = 0; i < kInputs; ++i)
        row.cells.push_back(input(i));
    for (int o = 0; o < kOutputs; ++o)
        row.cells.push_back(output(o));
    return row;
}
}

CReportTable SampleReport(ELanguage eLanguage)
{
    const Texts t{eLanguage == kEnglish};
    const std::string lock = LockText(eLanguage);
    const ReportColour red{243, 0, 0}, green{0, 138, 0}, light{202, 202, 202}, dark{128, 128, 128},
        lowPass{94, 121, 168}, highPass{135, 156, 190}, limiter{190, 202, 220};
    auto none = [](int) { return ReportCell{}; };

    CReportTable table;
    table.AddColumn({"Type", 90});
    for (const char* heading : {"CH_A", "CH_B", "CH_C", "CH_D"})
        table.AddColumn({heading, 95});
    for (int o = 1; o <= kOutputs; ++o)
        table.AddColumn({"CH_" + std::to_string(o), 95});

    table.AddRow(Row(t.Pick("Name", "通道名"), red,
                     [](int i) { return Name(i == 1 ? "Kick, \"Sub\"" : std::string("IN ") + char('A' + i)); },
                     [](int o) { return Name(o == 2 ? "B\xC3\xBChne" : "OUT " + std::to_string(o + 1)); }));
    table.AddRow(Row(t.Pick("Mute", "静音"), green, [&](int) { return Text(t.Pick("ON", "开")); },
                     [&](int o) { return Text(o == 3 ? t.Pick("Mute", "静音") : t.Pick("ON", "开")); }));
    table.AddRow(Row(t.Pick("Gain", "增益"), green, [](int i) { return Number(i == 0 ? "-3.5dB" : "0.0dB"); },
                     [](int o) { return Number(o == 0 ? "-12.0dB" : "6.1dB"); }));
    table.AddRow(Row(t.Pick("NoiseGate", "噪声门"), green, [](int) { return Number("-80dBu"); }, none));
    table.AddRow(Row(t.Pick("Polarity", "相位"), green, [&](int) { return Text(t.Pick("Normal", "正相")); },
                     [&](int o) { return Text(o == 5 ? t.Pick("Invert", "反相") : t.Pick("Normal", "正相")); }));
    table.AddRow(Row(t.Pick("Delay", "延时"), green, [](int) { return Number("0.021ms"); },
                     [](int o) { return Number(o == 7 ? "1000ms" : "10.017ms"); }));

    // The input EQ is locked: its cells show the lock text.
    for (int k = 1; k <= kOutputBands; ++k)
    {
        const ReportColour band = k % 2 ? light : dark;
        const std::string n = std::to_string(k);
        auto input = [&](int) { return k <= kInputBands ? Text(lock) : ReportCell{}; };
        table.AddRow(Row(t.Pick("EQ", "均衡") + n + t.Pick(" Type", " 类型"), band, input,
                         [&](int) { return Text(k == 1 ? t.Pick("Lo-Shelf", "低架") : t.Pick("Peak", "参量")); }));
        table.AddRow(Row(t.Pick("EQ", "均衡") + n + t.Pick(" Gain", " 增益"), band, input,
                         [&](int o) { return Number(o == 0 ? "-" + n + ".5dB" : "0.0dB"); }));
        table.AddRow(Row(t.Pick("EQ", "均衡") + n + t.Pick(" FQCY", " 频率"), band, input,
                         [&](int) { return Number(std::to_string(20 * k * k) + "Hz"); }));
        table.AddRow(Row(t.Pick("EQ", "均衡") + n + t.Pick(" BW", " 带宽"), band, input,
                         [&](int) { return Number(k == 1 ? "12dB/oct" : "0.30oct"); }));
    }

    const char* sources[] = {"CHA", "CHB", "CHC", "CHD"};
    for (const char* source : sources)
        table.AddRow(Row(t.Pick("Src ", "音源 ") + source, green, none,
                         [&](int o) { return Text(o % 2 ? t.Pick("ON", "开") : t.Pick("OFF", "关")); }));

    auto crossover = [&](const char* en, const char* zh, ReportColour colour, auto cell) {
        table.AddRow(Row(t.Pick(en, zh), colour, none, cell));
    };
    crossover("XMode_Lo", "低通类型", lowPass, [&](int) { return Text(t.Pick("Bessel", "贝塞尔")); });
    crossover("XFQCY_Lo", "低通频率", lowPass, [](int) { return Number("20000Hz"); });
    crossover("XSLope_Lo", "低通斜率", lowPass, [](int) { return Number("24dB/oct"); });
    crossover("XMode_Hi", "高通类型", highPass, [&](int) { return Text(t.Pick("Link-Ril", "林克维兹")); });
    crossover("XFQCY_Hi", "高通频率", highPass, [](int) { return Number("20Hz"); });
    crossover("XSLope_Hi", "高通斜率", highPass, [](int) { return Number("12dB/oct"); });
    crossover("Threshold", "压限电平", limiter, [](int o) { return Number(o == 0 ? "-10.0dBu" : "20.0dBu"); });
    crossover("Attack", "响应时间", limiter, [](int) { return Number("0.3ms"); });
    crossover("Release", "释放时间", limiter, [](int) { return Number("50ms"); });
    return table;
}
