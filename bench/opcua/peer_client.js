// The test peer's own client as a yardstick for ours: subscribes to the 1 000 Many.* items of
// tests/opcua/peer/server.js and measures the CPU time spent per data-change notification.
//
//   node bench/opcua/peer_client.js [--url opc.tcp://127.0.0.1:N] [--duration seconds]
//
// Without --url it starts the peer itself on free loopback ports and stops it at the end.
// Publishing and sampling every 100 ms, queue size 1; counts for --duration (20 s by default)
// from the first notification and prints one JSON line
//   {"notifications":N,"cpuMicros":U,"cpuNanosPerNotification":X}
// where U is this process's user + system time over the same span.
"use strict";

const fs = require("fs");
const os = require("os");
const path = require("path");
const { spawn } = require("child_process");
const { createRequire } = require("module");

const peerFolder = path.join(__dirname, "..", "..", "tests", "opcua", "peer");
const peerRequire = createRequire(path.join(peerFolder, "package.json"));
const { OPCUAClient, ClientMonitoredItemGroup, AttributeIds, TimestampsToReturn } =
    peerRequire("node-opcua-client");
const { OPCUACertificateManager } = peerRequire("node-opcua-certificate-manager");

// The stack's messages go to stderr, so that stdout holds the JSON line alone.
console.log = console.error;
console.info = console.error;

const ItemCount = 1000;
const PeerStartTimeoutMs = 60000;
// Beyond the measured span: connecting, subscribing and the first notification.
const SetupTimeoutMs = 60000;

function parseArguments(argv) {
    const options = { url: "", duration: 20 };
    for (let i = 0; i < argv.length; i += 2) {
        if (argv[i] === "--url" && i + 1 < argv.length) options.url = argv[i + 1];
        else if (argv[i] === "--duration" && i + 1 < argv.length)
            options.duration = Number(argv[i + 1]);
        else throw new Error(`unknown or incomplete argument ${argv[i]}`);
    }
    if (!(options.duration > 0 && options.duration <= 3600))
        throw new Error("--duration wants seconds between 0 and 3600");
    return options;
}

// The peer's URL once it listens; it ends with this process, its stdin closing.
function startPeer() {
    const peer = spawn(process.execPath, [path.join(peerFolder, "server.js")], {
        stdio: ["pipe", "pipe", "inherit"],
    });
    return new Promise((resolve, reject) => {
        const timer = setTimeout(
            () => reject(new Error("the peer did not listen")),
            PeerStartTimeoutMs,
        );
        peer.on("exit", (code) => reject(new Error(`the peer ended (${code}) before listening`)));
        let output = "";
        peer.stdout.on("data", (chunk) => {
            output += chunk;
            const match = /^LISTENING (\d+) \d+\n/.exec(output);
            if (!match) return;
            clearTimeout(timer);
            resolve(`opc.tcp://127.0.0.1:${match[1]}`);
        });
    });
}

async function connect(url, certificateFolder) {
    const client = OPCUAClient.create({
        endpointMustExist: false,
        connectionStrategy: { maxRetry: 0 },
        clientCertificateManager: new OPCUACertificateManager({ rootFolder: certificateFolder }),
    });
    await client.connect(url);
    return { client, session: await client.createSession() };
}

// Resolves with the count and the CPU time once the span from the first notification is over.
async function measure(session, durationMs) {
    const subscription = await session.createSubscription2({
        requestedPublishingInterval: 100,
        requestedLifetimeCount: 600,
        requestedMaxKeepAliveCount: 20,
        maxNotificationsPerPublish: 0,
        publishingEnabled: true,
        priority: 1,
    });
    const items = [];
    for (let i = 0; i < ItemCount; ++i)
        items.push({
            nodeId: `ns=1;s=Many.${String(i).padStart(4, "0")}`,
            attributeId: AttributeIds.Value,
        });
    const group = await ClientMonitoredItemGroup.create(
        subscription,
        items,
        { samplingInterval: 100, queueSize: 1, discardOldest: true },
        TimestampsToReturn.Neither,
    );
    return new Promise((resolve) => {
        let notifications = 0;
        let start = null;
        group.on("changed", () => {
            ++notifications;
            if (start) return;
            start = process.cpuUsage();
            setTimeout(() => {
                const used = process.cpuUsage(start);
                resolve({ notifications, cpuMicros: used.user + used.system });
            }, durationMs);
        });
    });
}

async function main() {
    const options = parseArguments(process.argv.slice(2));
    setTimeout(
        () => {
            console.error("peer_client: no result in time");
            process.exit(1);
        },
        options.duration * 1000 + SetupTimeoutMs + PeerStartTimeoutMs,
    ).unref();
    const certificateFolder = fs.mkdtempSync(path.join(os.tmpdir(), "modulation-peer-client-"));
    process.on("exit", () => fs.rmSync(certificateFolder, { recursive: true, force: true }));

    const url = options.url || (await startPeer());
    const { client, session } = await connect(url, certificateFolder);
    const { notifications, cpuMicros } = await measure(session, options.duration * 1000);
    const cpuNanosPerNotification = notifications
        ? Math.round((cpuMicros * 1000) / notifications)
        : 0;
    process.stdout.write(
        JSON.stringify({ notifications, cpuMicros, cpuNanosPerNotification }) + "\n",
    );
    await session.close();
    await client.disconnect();
    process.exit(0);
}

main().catch((error) => {
    console.error(`peer_client: ${error && error.message ? error.message : error}`);
    process.exit(1);
});
