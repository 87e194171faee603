// The page's script: solves or checks a pupil's solution without reloading, previews the problem
// as it is typed, and marks the column of a reader error in the field. Without it the forms still
// work as plain GETs.
"use strict";

(function () {
    const checkForm = document.getElementById("check-form");
    const form = checkForm || document.getElementById("solve-form");
    if (!form) {
        return;
    }
    const lines = document.getElementById("lines");
    const field = document.getElementById("problem");
    const kind = document.getElementById("kind");
    const lang = document.getElementById("lang");
    const preview = document.getElementById("preview");
    const solution = document.getElementById("solution");

    // The server counts columns in characters; the field counts UTF-16 units.
    function unitIndexOfColumn(text, column) {
        let index = 0;
        for (let character = 1; character < column && index < text.length; ++character) {
            index += text.codePointAt(index) > 0xffff ? 2 : 1;
        }
        return index;
    }

    function markColumn(column) {
        const start = unitIndexOfColumn(field.value, column);
        const end = Math.min(field.value.length, start + (field.value.codePointAt(start) > 0xffff ? 2 : 1));
        field.setAttribute("aria-invalid", "true");
        field.focus();
        field.setSelectionRange(start, Math.max(start, end));
    }

    function clearMark() {
        field.removeAttribute("aria-invalid");
    }

    function postJson(address, body) {
        return fetch(address, {
            method: "POST",
            headers: { "Content-Type": "application/json" },
            body: JSON.stringify(body),
        });
    }

    function showMessage(text) {
        const message = document.createElement("p");
        message.className = "error";
        message.textContent = text;
        solution.replaceChildren(message);
    }

    // The request of the form: a check of the pupil's lines, or a solve.
    function formRequest() {
        const request = { kind: kind.value, lang: lang.value, problem: field.value };
        if (checkForm) {
            request.lines = lines.value;
        }
        return request;
    }

    async function send() {
        const request = formRequest();
        const query = new URLSearchParams(checkForm ? { mode: "check", ...request } : request);
        history.replaceState(null, "", "/?" + query.toString());
        request.format = "html-fragment";
        let response;
        try {
            response = await postJson(checkForm ? "/api/check" : "/api/solve", request);
        } catch (error) {
            showMessage(String(error));
            return;
        }
        const type = response.headers.get("Content-Type") || "";
        if (type.startsWith("text/html")) {
            // The server escapes every text of the request it writes into this fragment.
            solution.innerHTML = await response.text();
            const readerError = solution.querySelector("#reader-error[data-column]");
            if (readerError) {
                markColumn(Number(readerError.dataset.column));
            } else {
                clearMark();
            }
            return;
        }
        const answer = await response.json().catch(() => ({ error: response.statusText }));
        showMessage(answer.error || response.statusText);
        if (answer.column) {
            markColumn(answer.column);
        } else {
            clearMark();
        }
    }

    let previewTimer = 0;
    let previewNumber = 0;
    async function showPreview() {
        const number = ++previewNumber;
        if (field.value.trim() === "") {
            preview.replaceChildren();
            return;
        }
        let answer;
        try {
            const response = await postJson("/api/read", { problem: field.value, lang: lang.value });
            answer = await response.json();
        } catch (error) {
            return;
        }
        if (number !== previewNumber) {
            return;
        }
        if (answer.html !== undefined) {
            preview.innerHTML = answer.html;
            clearMark();
        } else {
            const message = document.createElement("span");
            message.className = "error";
            message.textContent = answer.error || "";
            preview.replaceChildren(message);
        }
    }

    // The link to the other mode carries the problem, the kind and the language as they are now.
    const modeLink = document.getElementById("mode-link");
    function updateModeLink() {
        if (!modeLink) {
            return;
        }
        const address = new URL(modeLink.href);
        address.searchParams.set("kind", kind.value);
        address.searchParams.set("problem", field.value);
        modeLink.href = address.pathname + address.search;
    }

    form.addEventListener("submit", (event) => {
        event.preventDefault();
        send();
    });
    kind.addEventListener("change", updateModeLink);
    field.addEventListener("input", () => {
        updateModeLink();
        clearTimeout(previewTimer);
        previewTimer = setTimeout(showPreview, 150);
    });
    // The words of the page are in the chosen language: a new language loads the page again.
    lang.addEventListener("change", () => form.submit());
    if (field.dataset.column) {
        markColumn(Number(field.dataset.column));
    }
    showPreview();
})();
