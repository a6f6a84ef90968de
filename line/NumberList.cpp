#include "line/NumberList.h"

std::optional<QList<int>> NumberList(const QString& strText, int nLow, int nHigh)
{
    QList<int> numbers;
    for (const QString& strPart : strText.split(','))
    {
        const QStringList ends = strPart.trimmed().split('-');
        bool bFirst = false;
        bool bLast = ends.size() == 1;
        const int nFirst = ends.value(0).toInt(&bFirst);
        const int nLast = ends.size() == 2 ? ends[1].toInt(&bLast) : nFirst;
        if (ends.size() > 2 || !bFirst || !bLast || nFirst < nLow || nLast > nHigh || nFirst > nLast)
            return std::nullopt;
        for (int n = nFirst; n <= nLast; ++n)
            if (!numbers.contains(n))
                numbers << n;
    }
    return numbers;
}
