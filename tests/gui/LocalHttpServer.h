#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <thread>

/** A one-document HTTP server on 127.0.0.1 for the update check's tests: every GET is answered with
    the same body, optionally after a delay. Runs until destroyed. */
class LocalHttpServer
{
public:
    explicit LocalHttpServer (juce::String responseBody, int responseDelayMs = 0)
        : body (std::move (responseBody))
        , delayMs (responseDelayMs)
    {
        listening = listener.createListener (0, "127.0.0.1");
        thread = std::thread ([this] { run(); });
    }

    ~LocalHttpServer()
    {
        stopping = true;
        thread.join();
    }

    bool isListening() const { return listening; }
    int getPort() const { return listener.getBoundPort(); }
    int getRequestCount() const { return requests.load(); }

    juce::URL documentUrl() const
    {
        return juce::URL ("http://127.0.0.1:" + juce::String (getPort()) + "/CVcurrentVersion.json");
    }

private:
    void run()
    {
        while (! stopping)
        {
            if (listener.waitUntilReady (true, 50) != 1)
                continue;

            std::unique_ptr<juce::StreamingSocket> connection (listener.waitForNextConnection());

            if (connection == nullptr || stopping)
                continue;

            readRequest (*connection);
            ++requests;

            for (int waited = 0; waited < delayMs && ! stopping; waited += 10)
                juce::Thread::sleep (10);

            const auto payload = body.toStdString();
            const juce::String head = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: "
                                      + juce::String ((int) payload.size()) + "\r\nConnection: close\r\n\r\n";
            connection->write (head.toRawUTF8(), (int) head.getNumBytesAsUTF8());
            connection->write (payload.data(), (int) payload.size());
        }
    }

    static void readRequest (juce::StreamingSocket& connection)
    {
        juce::String request;
        char buffer[1024];

        while (! request.contains ("\r\n\r\n") && connection.waitUntilReady (true, 2000) == 1)
        {
            const auto n = connection.read (buffer, (int) sizeof (buffer), false);

            if (n <= 0)
                break;

            request += juce::String::fromUTF8 (buffer, n);
        }
    }

    juce::StreamingSocket listener;
    const juce::String body;
    const int delayMs;
    bool listening = false;
    std::atomic<bool> stopping{ false };
    std::atomic<int> requests{ 0 };
    std::thread thread;
};
