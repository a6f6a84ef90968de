#pragma once

// Runs tests as on a desktop in another locale. A Qt program starts in the
// desktop's locale (QCoreApplication sets the C library's from the
// environment), so a text or a parse that depends on it shows only there:
// these set it inside the test process, for the C library (printf, strtod),
// the C++ streams and, in Qt tests, Qt's default locale.

#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <cstdio>
#include <locale>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

#if defined(QT_CORE_LIB)
#include <QLocale>
#include <QString>
#endif

// One locale of the tables, and the decimal point printf writes in it.
struct TableLocale
{
    const char* pszName;
    const char* pszPoint;
};

inline void PrintTo(const TableLocale& locale, std::ostream* pOut)
{
    *pOut << locale.pszName;
}

// The texts' own locale, and a desktop's with a decimal comma
// (scripts/install-deps.sh generates it).
inline constexpr TableLocale kTableLocales[] = {{"C.UTF-8", "."}, {"de_DE.UTF-8", ","}};

// "de_DE_UTF_8": a test name may hold letters, digits and '_' only.
inline std::string TableLocaleName(const TableLocale& locale)
{
    std::string name = locale.pszName;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

inline std::string LocaleTestName(const ::testing::TestParamInfo<TableLocale>& info)
{
    return TableLocaleName(info.param);
}

// Sets a locale for its lifetime and puts the previous one back.
class CLocaleScope
{
public:
    explicit CLocaleScope(const char* pszName)
        : m_strPrevious(std::setlocale(LC_ALL, nullptr))
    {
        if (std::setlocale(LC_ALL, pszName) == nullptr)
            return;
        try
        {
            m_previous = std::locale::global(std::locale(pszName));
        }
        catch (const std::runtime_error&)
        {
            std::setlocale(LC_ALL, m_strPrevious.c_str());
            return;
        }
        m_bSet = true;
#if defined(QT_CORE_LIB)
        QLocale::setDefault(QLocale(QString::fromLatin1(pszName)));
#endif
    }
    ~CLocaleScope()
    {
        if (!m_bSet)
            return;
        std::locale::global(m_previous);
        std::setlocale(LC_ALL, m_strPrevious.c_str());
#if defined(QT_CORE_LIB)
        QLocale::setDefault(m_qtPrevious);
#endif
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

    bool IsSet() const { return m_bSet; }

private:
    std::string m_strPrevious;
    std::locale m_previous;
    bool m_bSet = false;
#if defined(QT_CORE_LIB)
    QLocale m_qtPrevious;
#endif
};

// Fails unless `locale` is set and printf writes its decimal point: a
// locale the machine lacks would leave the test under the C locale, passing
// without proving anything.
inline ::testing::AssertionResult InEffect(const CLocaleScope& scope, const TableLocale& locale)
{
    if (!scope.IsSet())
        return ::testing::AssertionFailure()
               << locale.pszName << " cannot be set: scripts/install-deps.sh generates it";
    char text[8];
    std::snprintf(text, sizeof text, "%.1f", 0.5);
    if (text != std::string("0") + locale.pszPoint + "5")
        return ::testing::AssertionFailure() << "printf writes " << text << " under " << locale.pszName;
    return ::testing::AssertionSuccess();
}

// A test fixture (TBase, by default a plain test) whose tests run once
// under every table locale: instantiate its suite with
// INSTANTIATE_TEST_SUITE_P(Locales, Suite, ::testing::ValuesIn(kTableLocales), LocaleTestName).
template <class TBase = ::testing::Test>
class TLocaleTable : public TBase, public ::testing::WithParamInterface<TableLocale>
{
protected:
    void SetUp() override
    {
        TBase::SetUp();
        m_pScope = std::make_unique<CLocaleScope>(this->GetParam().pszName);
        ASSERT_TRUE(InEffect(*m_pScope, this->GetParam()));
    }
    void TearDown() override
    {
        m_pScope.reset();
        TBase::TearDown();
    }

private:
    std::unique_ptr<CLocaleScope> m_pScope;
};
