#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

// Collects what is written to one of the process's standard streams while it lives.
class CapturedStream {
public:
    CapturedStream(std::FILE *stream, int descriptor)
        : m_stream(stream)
        , m_descriptor(descriptor)
    {
        m_file.open();
        std::fflush(m_stream);
        m_saved = ::dup(m_descriptor);
        ::dup2(m_file.handle(), m_descriptor);
    }
    ~CapturedStream() { restore(); }
    CapturedStream(const CapturedStream &) = delete;
    CapturedStream &operator=(const CapturedStream &) = delete;

    QStringList lines()
    {
        restore();
        m_file.seek(0);
        return QString::fromLocal8Bit(m_file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(m_stream);
        ::dup2(m_saved, m_descriptor);
        ::close(m_saved);
        m_saved = -1;
    }

    std::FILE *m_stream;
    int m_descriptor;
    QTemporaryFile m_file;
    int m_saved = -1;
};

// What is written to standard error while it lives.
class CapturedErrors : public CapturedStream {
public:
    CapturedErrors()
        : CapturedStream(stderr, STDERR_FILENO)
    {
    }
};

// What is written to standard output while it lives.
class CapturedOutput : public CapturedStream {
public:
    CapturedOutput()
        : CapturedStream(stdout, STDOUT_FILENO)
    {
    }
};
