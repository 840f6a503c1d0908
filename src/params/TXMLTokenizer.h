#pragma once

#include <QByteArray>
#include <QIODevice>

#include <string>
#include <vector>

// Cuts an XML byte stream into tokens through a fixed input window that is
// refilled at line boundaries. Token kinds follow the profile reader's codes.
class TXMLTokenizer
{
public:
    enum Kind {
        EndOfInput = 0,
        Comment = 6,
        Declaration = 8,
        Text = 9,
        StartTag = 10,
        EndTag = 11,
        EmptyElementTag = 12,
    };

    static constexpr qsizetype DefaultWindowSize = 4096;

    // Reads the first token at once. The stream is not owned.
    explicit TXMLTokenizer(QIODevice *stream) : TXMLTokenizer(stream, DefaultWindowSize) {}
    virtual ~TXMLTokenizer() = default;

    Kind kind() const { return m_kind; }
    // The token's bytes after clean-up: CR LF and LF CR pairs removed, space
    // runs collapsed. Valid until the next call of next().
    QByteArrayView text() const { return m_text; }
    int line() const { return m_line; }

    void next();

protected:
    TXMLTokenizer(QIODevice *stream, qsizetype windowSize);

private:
    bool ensureByte();
    void refill();
    void skipBlanks();
    void readTag();
    void readText();
    void setText(const char *data, qsizetype size);
    static Kind classify(QByteArrayView tag);

    QIODevice *m_stream;
    std::vector<char> m_window;
    qsizetype m_filled = 0;    // bytes held in the window
    qsizetype m_end = 0;       // the window end: bytes before it may be tokenized
    qsizetype m_pos = 0;       // read position
    bool m_streamDone = false; // the stream has nothing more to give
    bool m_inputEnded = false; // a zero byte outside a tag ended the input
    Kind m_kind = EndOfInput;
    QByteArrayView m_text;
    std::string m_joined;  // a token that crossed a window refill
    std::string m_cleaned; // a token that needed clean-up
    int m_line = 1;
};
