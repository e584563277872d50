// Documents printed for a pupil.
#include "banc_documents.h"

namespace {

class EssaiImpressionDocuments : public QObject {
    Q_OBJECT
private slots:
};

}  // namespace

QObject* essai_impression_documents() { return new EssaiImpressionDocuments; }

#include "test_impression_documents.moc"
