#!/usr/bin/env python3
# Writes CryptoVectors.h: SHA-256 and ECDSA P-256 known answers made by the OpenSSL
# command line, an implementation apart from the code under test, plus the published
# P-256 signatures of RFC 6979. Run once; the output
# is committed so the tests need no outside tool:
#   tests/unit/update/make_crypto_vectors.py > tests/unit/update/CryptoVectors.h
import os, subprocess, sys, tempfile

def run(*args, data=None):
    return subprocess.run(args, input=data, capture_output=True, check=True).stdout

def der_len(b, i):
    n = b[i]; i += 1
    if n < 0x80: return n, i
    k = n & 0x7f
    return int.from_bytes(b[i:i + k], "big"), i + k

def der_to_rs(der):
    assert der[0] == 0x30
    _, i = der_len(der, 1)
    out = b""
    for _ in range(2):
        assert der[i] == 0x02
        n, i = der_len(der, i + 1)
        out += int.from_bytes(der[i:i + n], "big").to_bytes(32, "big")
        i += n
    return out

def key_parts(pem):
    text = run("openssl", "ec", "-in", pem, "-text", "-noout").decode()
    hexes, cur = {}, None
    for line in text.splitlines():
        if line.startswith("priv:"): cur = "priv"; hexes[cur] = ""
        elif line.startswith("pub:"): cur = "pub"; hexes[cur] = ""
        elif line.startswith(" ") and cur: hexes[cur] += line.strip().replace(":", "")
        else: cur = None
    d = bytes.fromhex(hexes["priv"]).rjust(33, b"\0")[-32:]
    pub = bytes.fromhex(hexes["pub"])
    assert pub[0] == 4 and len(pub) == 65
    return d, pub[1:]

def sha256(data):
    return run("openssl", "dgst", "-sha256", "-binary", data=data)

def sign(pem, data):
    return der_to_rs(run("openssl", "dgst", "-sha256", "-sign", pem, data=data))

def c(b):
    return '"' + b.hex() + '"'

def cmsg(b):
    return '"' + "".join("\\x%02x" % x for x in b) + '"'

tmp = tempfile.mkdtemp()
keys = []
for n in range(2):
    pem = os.path.join(tmp, "k%d.pem" % n)
    run("openssl", "ecparam", "-name", "prime256v1", "-genkey", "-noout", "-out", pem)
    keys.append((pem,) + key_parts(pem))

print("#pragma once")
print("// Known answers made by the OpenSSL command line (make_crypto_vectors.py); do not edit.")
print("// Shared by the native and the Windows crypto tests.\n")
print("#include <cstddef>\n\nnamespace qev::test {\n")
print("struct ShaVector {\n  const char* Piece;  // hashed Repeat times over\n  size_t Size;\n  size_t Repeat;\n  const char* Digest;\n};\n")
sha = [(b"", 1), (b"abc", 1), (b"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 1),
       (b"a", 1000000), ("更新文件校验".encode("gbk"), 1), (bytes(range(256)), 300)]
print("inline constexpr ShaVector kShaVectors[] = {")
for piece, rep in sha:
    print("    {%s, %d, %d, %s}," % (cmsg(piece), len(piece), rep, c(sha256(piece * rep))))
print("};\n")

print("struct KeyVector {\n  const char* Private;  // d\n  const char* Public;   // X || Y\n};\n")
# The P-256 key of RFC 6979 appendix A.2.5, with its published SHA-256 signatures.
RFC_KEY = (None, bytes.fromhex("C9AFA9D845BA75166B5C215767B1D6934E50C3DB36E89B127B8A622B120F6721"),
           bytes.fromhex("60FED4BA255A9D31C961EB74C6356D68C049B8923B61FA6CE669622E60F29FB6"
                         "7903FE1008B8BC99A41AE9E95628BC64F2F1B20C2D7E9F5177A3C294D4462299"))
RFC_SIGS = [(b"sample", "EFD48B2AACB6A8FD1140DD9CD45E81D69D2C877B56AAF991C34D0EA84EAF3716"
                        "F7CB1C942D657C41D436C7A1B6E29F65F3E900DBB9AFF4064DC4AB2F843ACDA8"),
            (b"test", "F1ABB023518351CD71D881567B1EA663ED3EFCF6C5132B354F28D3B0B7D38367"
                      "019F4113742A2B14BD25926B49C649155F267E60D3814B4C0CC84250E46F0083")]
print("inline constexpr KeyVector kKeys[] = {")
for _, d, pub in keys + [RFC_KEY]:
    print("    {%s,\n     %s}," % (c(d), c(pub)))
print("};\n")

print("// Signatures made with kKeys[Key] over Message: every one verifies.")
print("struct SigVector {\n  size_t Key;\n  const char* Message;\n  size_t Size;\n  const char* Signature;  // r || s\n};\n")
msgs = [b"", b"abc", b"[UpdateInfo]\r\nSerial=7\r\n", bytes(range(256)) * 8]
print("inline constexpr SigVector kSignatures[] = {")
for k, (pem, _, _) in enumerate(keys):
    for m in msgs:
        print("    {%d, %s, %d,\n     %s}," % (k, cmsg(m), len(m), c(sign(pem, m))))
for m, rs in RFC_SIGS:
    print("    {%d, %s, %d,\n     %s}," % (len(keys), cmsg(m), len(m), c(bytes.fromhex(rs))))
print("};\n\n}  // namespace qev::test")
