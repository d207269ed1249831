// The independent OPC UA server the client's tests run against, on 127.0.0.1 only.
//
//   node server.js [--port N] [--secure-port N] [--pki DIR]
//
// --port serves security policy None only, --secure-port Basic256Sha256 with SignAndEncrypt
// only (0 or absent: a free port). --pki keeps the generated certificates in DIR, so a restart
// reuses them; without it they live in a temporary folder removed at exit. When both servers
// listen, stdout carries one line "LISTENING <port> <securePort>" and nothing else.
// Commands on stdin, one a line: "shutdown" (server state Shutdown, 1 s later exit), "exit"
// (at once), "bad" / "good" (hold Dynamic.Status there), "auto" (its period again). The peer
// exits when stdin ends or its parent goes away.
//
// Address space, namespace "urn:modulation:test-peer" (index 1), string NodeIds; the top
// folders stand under Objects, every browse name is the last part of its NodeId:
//   Tree, Tree.A, Tree.B, Tree.A.C, Tree.B.C   folders three deep, each holding
//     <folder>.Level   Int32   depth (Tree 1, Tree.A 2, Tree.A.C 3)
//     <folder>.Name    String  the folder's browse name ("Tree", "A", "C")
//     <folder>.Value   Double  depth * 1.5
//   Scalar.<type>   read-only, one per built-in type:
//     Boolean true                 SByte -100                   Byte 200
//     Int16 -30000                 UInt16 60000                 Int32 -2000000000
//     UInt32 4000000000            Int64 -8589934593            UInt64 9223372036854775813
//     Float 3.25                   Double -1234.5625            String "Grüße, 世界"
//     DateTime 2024-02-29T12:34:56.789Z    Guid 72962B91-FA75-4AE6-8D28-B404DC7DAF63
//     ByteString 00 01 7F 80 FF    XmlElement <a b="1">x</a>    NodeId ns=1;s=Tree.A
//     ExpandedNodeId svr=2;nsu=urn:modulation:other;i=1234
//     StatusCode UncertainLastUsableValue (0x40900000)
//     QualifiedName 1:"Qualité"    LocalizedText "fr-FR" "Modulation numérique"
//   Array.Double [0, 1.5, -2.25, 1e300]   Array.Int32 [-2147483648, 0, 2147483647]
//   Array.String ["alpha", "", "γ"]       (read-only)
//   Writable.Double 0   Writable.Boolean false   Writable.String ""   (read and write)
//   Dynamic.Sine     Double sin(2π t / 1 s), a new value every 10 ms
//   Dynamic.Status   Double, the number of status switches so far; 1 s Good, then 1 s
//                    BadSensorFailure (0x808C0000) with the value kept
//   Many.0000 ... Many.0999 (folder Many, main port only)   Double, every 100 ms
//                    tick * 1000 + index (tick 0 at start), so a lost or misrouted
//                    notification shows
// The secure port serves the same nodes but Many.
"use strict";

const fs = require("fs");
const os = require("os");
const path = require("path");
const readline = require("readline");
const { OPCUAServer } = require("node-opcua-server");
const { OPCUACertificateManager } = require("node-opcua-certificate-manager");
const {
    DataType,
    ExpandedNodeId,
    MessageSecurityMode,
    SecurityPolicy,
    StatusCodes,
    VariantArrayType,
    coerceNodeId,
} = require("node-opcua-client");

// The stack's own messages must not reach stdout, which the tests read for LISTENING.
console.log = console.error;
console.info = console.error;

const NamespaceUri = "urn:modulation:test-peer";
const ManyCount = 1000;
const StatusHalfPeriodMs = 1000;

// Value timers stop before a shutdown takes the address space away under them.
const timers = [];
function every(ms, task) {
    timers.push(setInterval(task, ms));
}

function parseArguments(argv) {
    const options = { port: 0, securePort: 0, pki: "" };
    const names = { "--port": "port", "--secure-port": "securePort", "--pki": "pki" };
    for (let i = 0; i < argv.length; i += 2) {
        const key = names[argv[i]];
        if (!key || i + 1 >= argv.length)
            throw new Error(`unknown or incomplete argument ${argv[i]}`);
        options[key] = key === "pki" ? argv[i + 1] : Number(argv[i + 1]);
        if (
            key !== "pki" &&
            !(Number.isInteger(options[key]) && options[key] >= 0 && options[key] < 65536)
        )
            throw new Error(`${argv[i]} wants a port number, not ${argv[i + 1]}`);
    }
    return options;
}

// Int64 and UInt64 travel as [high, low] 32-bit halves of the two's complement.
function int64Halves(value) {
    const bits = BigInt.asUintN(64, value);
    return [Number(bits >> 32n), Number(bits & 0xffffffffn)];
}

const otherNode = coerceNodeId("i=1234");
const Scalars = [
    ["Boolean", true],
    ["SByte", -100],
    ["Byte", 200],
    ["Int16", -30000],
    ["UInt16", 60000],
    ["Int32", -2000000000],
    ["UInt32", 4000000000],
    ["Int64", int64Halves(-8589934593n)],
    ["UInt64", int64Halves(9223372036854775813n)],
    ["Float", 3.25],
    ["Double", -1234.5625],
    ["String", "Grüße, 世界"],
    ["DateTime", new Date("2024-02-29T12:34:56.789Z")],
    ["Guid", "72962B91-FA75-4AE6-8D28-B404DC7DAF63"],
    ["ByteString", Buffer.from([0x00, 0x01, 0x7f, 0x80, 0xff])],
    ["XmlElement", '<a b="1">x</a>'],
    ["NodeId", coerceNodeId("ns=1;s=Tree.A")],
    [
        "ExpandedNodeId",
        new ExpandedNodeId(otherNode.identifierType, otherNode.value, 0, "urn:modulation:other", 2),
    ],
    ["StatusCode", StatusCodes.UncertainLastUsableValue],
    ["QualifiedName", { namespaceIndex: 1, name: "Qualité" }],
    ["LocalizedText", { locale: "fr-FR", text: "Modulation numérique" }],
];
const Arrays = [
    ["Double", [0, 1.5, -2.25, 1e300]],
    ["Int32", [-2147483648, 0, 2147483647]],
    ["String", ["alpha", "", "γ"]],
];
const Writables = [
    ["Double", 0],
    ["Boolean", false],
    ["String", ""],
];

// One peer namespace per server, so NodeIds read "ns=1;s=...".
class Space {
    constructor(server) {
        this.ns = server.engine.addressSpace.getOwnNamespace();
        this.objects = server.engine.addressSpace.rootFolder.objects;
    }

    folder(parent, id) {
        return this.ns.addFolder(parent, {
            browseName: id.split(".").pop(),
            nodeId: this.nodeId(id),
        });
    }

    // A valueRank of 1 among the extras makes an array variable.
    variable(parent, id, type, value, extra = {}) {
        const arrayType = extra.valueRank === 1 ? VariantArrayType.Array : VariantArrayType.Scalar;
        return this.ns.addVariable({
            organizedBy: parent,
            browseName: id.split(".").pop(),
            nodeId: this.nodeId(id),
            dataType: type,
            valueRank: -1,
            minimumSamplingInterval: 0,
            accessLevel: "CurrentRead",
            userAccessLevel: "CurrentRead",
            ...extra,
            value: { dataType: DataType[type], arrayType, value },
        });
    }

    nodeId(id) {
        return `ns=${this.ns.index};s=${id}`;
    }
}

function addTree(space, parent, id, depth) {
    const folder = space.folder(parent, id);
    space.variable(folder, `${id}.Level`, "Int32", depth);
    space.variable(folder, `${id}.Name`, "String", id.split(".").pop());
    space.variable(folder, `${id}.Value`, "Double", depth * 1.5);
    if (depth === 2) addTree(space, folder, `${id}.C`, 3);
    if (depth === 1) for (const child of ["A", "B"]) addTree(space, folder, `${id}.${child}`, 2);
}

function addFixed(space, name, entries, extra) {
    const folder = space.folder(space.objects, name);
    for (const [type, value] of entries)
        space.variable(folder, `${name}.${type}`, type, value, extra);
}

function addStaticNodes(space) {
    addTree(space, space.objects, "Tree", 1);
    addFixed(space, "Scalar", Scalars);
    addFixed(space, "Array", Arrays, { valueRank: 1 });
    addFixed(space, "Writable", Writables, {
        accessLevel: "CurrentRead | CurrentWrite",
        userAccessLevel: "CurrentRead | CurrentWrite",
    });
}

function setDouble(variable, value, status = StatusCodes.Good) {
    variable.setValueFromSource({ dataType: DataType.Double, value }, status);
}

// Good and Bad by turns, or held by a stdin command.
class FlakyStatus {
    constructor(variables) {
        this.variables = variables;
        this.switches = 0;
        this.good = true;
        this.held = false;
        every(StatusHalfPeriodMs, () => this.held || this.set(!this.good));
    }

    hold(good) {
        this.held = true;
        this.set(good);
    }

    release() {
        this.held = false;
    }

    set(good) {
        if (good !== this.good) ++this.switches;
        this.good = good;
        const status = good ? StatusCodes.Good : StatusCodes.BadSensorFailure;
        for (const variable of this.variables) setDouble(variable, this.switches, status);
    }
}

function addDynamicNodes(space, clock) {
    const folder = space.folder(space.objects, "Dynamic");
    const sine = space.variable(folder, "Dynamic.Sine", "Double", 0);
    every(10, () => setDouble(sine, Math.sin((2 * Math.PI * (Date.now() - clock)) / 1000)));
    return space.variable(folder, "Dynamic.Status", "Double", 0);
}

function addManyNodes(space) {
    const folder = space.folder(space.objects, "Many");
    const items = [];
    for (let i = 0; i < ManyCount; ++i)
        items.push(space.variable(folder, `Many.${String(i).padStart(4, "0")}`, "Double", i));
    let tick = 0;
    every(100, () => {
        ++tick;
        items.forEach((item, i) => setDouble(item, tick * 1000 + i));
    });
}

async function startServer(port, secure, pkiFolder) {
    const serverCertificateManager = new OPCUACertificateManager({
        rootFolder: pkiFolder,
        automaticallyAcceptUnknownCertificate: true,
    });
    const server = new OPCUAServer({
        port,
        host: "127.0.0.1",
        hostname: "127.0.0.1",
        serverCertificateManager,
        serverInfo: { applicationUri: NamespaceUri, productUri: NamespaceUri },
        buildInfo: { productName: "modulation test peer" },
        securityModes: [secure ? MessageSecurityMode.SignAndEncrypt : MessageSecurityMode.None],
        securityPolicies: [secure ? SecurityPolicy.Basic256Sha256 : SecurityPolicy.None],
        allowAnonymous: true,
    });
    await server.initialize();
    return server;
}

// Read from the start, so that a parent closing stdin during start-up is seen too; commands
// other than "exit" join once the servers are up.
function readCommands(quit) {
    const commands = { exit: quit };
    readline
        .createInterface({ input: process.stdin })
        .on("line", (line) => {
            const command = commands[line.trim()];
            if (command) command();
            else if (line.trim()) console.error(`peer: unknown command "${line.trim()}"`);
        })
        .on("close", quit);
    return commands;
}

function watchParent(quit) {
    const parent = process.ppid;
    setInterval(() => process.ppid !== parent && quit(), 500);
    process.on("SIGTERM", quit);
    process.on("SIGINT", quit);
}

function serverCommands(servers, status, quit) {
    return {
        shutdown: () => {
            timers.forEach(clearInterval);
            Promise.all(servers.map((server) => server.shutdown(1000))).then(quit, fail);
        },
        bad: () => status.hold(false),
        good: () => status.hold(true),
        auto: () => status.release(),
    };
}

function fail(error) {
    console.error(`peer: ${error && error.stack ? error.stack : error}`);
    process.exit(1);
}

function pkiRoot(requested) {
    if (requested) return { root: path.resolve(requested), temporary: false };
    return { root: fs.mkdtempSync(path.join(os.tmpdir(), "modulation-peer-")), temporary: true };
}

async function main() {
    const options = parseArguments(process.argv.slice(2));
    const pki = pkiRoot(options.pki);
    const quit = () => process.exit(0);
    if (pki.temporary)
        process.on("exit", () => fs.rmSync(pki.root, { recursive: true, force: true }));
    watchParent(quit);
    const commands = readCommands(quit);

    const [plain, secure] = await Promise.all([
        startServer(options.port, false, path.join(pki.root, "plain")),
        startServer(options.securePort, true, path.join(pki.root, "secure")),
    ]);
    const clock = Date.now();
    const statusVariables = [plain, secure].map((server) => {
        const space = new Space(server);
        addStaticNodes(space);
        return addDynamicNodes(space, clock);
    });
    addManyNodes(new Space(plain));
    const status = new FlakyStatus(statusVariables);
    Object.assign(commands, serverCommands([plain, secure], status, quit));

    await plain.start();
    await secure.start();
    process.stdout.write(`LISTENING ${plain.endpoints[0].port} ${secure.endpoints[0].port}\n`);
}

main().catch(fail);
