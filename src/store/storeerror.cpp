#include "store/storeerror.h"

StoreError::StoreError(Kind kind, const QString &path, const QString &detail, std::vector<StoreError> places)
    : std::runtime_error(QStringLiteral("idiom data file %1: fault %2 %3").arg(path, QString::number(int(kind)), detail).toStdString()),
      m_kind(kind), m_path(path), m_detail(detail), m_places(std::move(places))
{
}
