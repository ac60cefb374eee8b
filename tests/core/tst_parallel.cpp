// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/parallel.h"

#include <QtTest>

#include <atomic>
#include <memory>

using namespace quillet;

class TestParallel : public QObject
{
    Q_OBJECT

private slots:
    void everyItemOnce_data();
    void everyItemOnce();
};

void TestParallel::everyItemOnce_data()
{
    QTest::addColumn<qsizetype>("n");
    QTest::addColumn<bool>("fromPool");
    QTest::newRow("none") << qsizetype(0) << false;
    QTest::newRow("below the minimum") << qsizetype(999) << false;
    QTest::newRow("at the minimum") << qsizetype(1000) << false;
    QTest::newRow("blocks and a short last one") << qsizetype(300007) << false;
    QTest::newRow("called from a thread of the pool") << qsizetype(300007) << true;
}

void TestParallel::everyItemOnce()
{
    // The blocks cover every item exactly once, whichever thread takes them, and a call
    // from a thread of the pool returns even when the pool has no thread to spare.
    QFETCH(qsizetype, n);
    QFETCH(bool, fromPool);
    const std::unique_ptr<std::atomic<int>[]> visits(new std::atomic<int>[size_t(n) + 1]());
    std::atomic<bool> bBadBlock{false};
    const auto run = [&] {
        ForEachChunk(n, 1000, [&](qsizetype nBegin, qsizetype nEnd) {
            if (nBegin > nEnd || nBegin < 0 || nEnd > n)
                bBadBlock = true;
            for (qsizetype i = nBegin; i < nEnd; ++i)
                ++visits[size_t(i)];
        });
    };
    if (fromPool) {
        QThreadPool* pool = QThreadPool::globalInstance();
        const int nMax = pool->maxThreadCount();
        pool->setMaxThreadCount(1);
        QSemaphore done;
        pool->start([&] {
            run();
            done.release();
        });
        QVERIFY(done.tryAcquire(1, 10000));
        pool->setMaxThreadCount(nMax);
    } else {
        run();
    }
    QVERIFY(!bBadBlock);
    for (qsizetype i = 0; i < n; ++i)
        QCOMPARE(visits[size_t(i)].load(), 1);
}

QTEST_APPLESS_MAIN(TestParallel)
#include "tst_parallel.moc"
